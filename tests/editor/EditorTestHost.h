// A small plug-in as a host sees it: every begin, perform and end edit is
// written to a log ("B2 P2 E2"), and a headless editor with images made in
// code. Shared by the editor and the control tests.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "editor/EditorWin.h"
#include "editor/ImageCache.h"
#include "framework/EffectBase.h"
#include "raster/MemBitmap.h"

class TestPlug : public IEffectBase {
 public:
  enum { kLevel, kCount, kShape, kFlag, kLong, kNumParams };

  static EffectConfig Config() {
    EffectConfig c;
    c.paramCount = kNumParams;
    c.channelIo = "2-2";
    c.presetCount = 1;
    return c;
  }

  TestPlug() : IEffectBase(Config()) {
    Param(kLevel)->DefineDouble("Level", 50.0, 0.0, 100.0, 0.1, "%");
    Param(kLevel)->displayPrecision = 1;
    Param(kCount)->DefineInt("Count", 0, 0, 10, "");
    Param(kShape)->DefineEnum("Shape", 0, 4, "");
    const char* shapes[4] = {"Sine", "Square", "Saw", "Noise"};
    for (int i = 0; i < 4; ++i) Param(kShape)->AddValueText(i, shapes[i]);
    Param(kFlag)->DefineEnum("Flag", 0, 2, "");
    Param(kFlag)->kind = kKindBool;
    Param(kFlag)->AddValueText(0, "Off");
    Param(kFlag)->AddValueText(1, "On");
    Param(kLong)->DefineEnum("Long", 0, 25, "");
    for (int i = 0; i < 25; ++i) {
      char t[8];
      std::snprintf(t, sizeof t, "N%d", i);
      Param(kLong)->AddValueText(i, t);
    }
  }

  void BeginParamEdit(int32_t i) override { Note("B", i); }
  void PerformParamEdit(int32_t i, double v) override {
    Note("P", i);
    performed.push_back(v);
  }
  void EndParamEdit(int32_t i) override { Note("E", i); }

  std::string TakeLog() {
    std::string s = log;
    log.clear();
    return s;
  }
  std::string log;
  std::vector<double> performed;

 private:
  void Note(const char* what, int32_t i) {
    if (!log.empty()) log += ' ';
    log += what + std::to_string(i);
  }
};

// Images put into the process-wide cache under ids no artwork uses.
inline int32_t NextImageId() {
  static int32_t id = 70000;
  return ++id;
}

// A w x h image whose pixel (x, y) is 0xFF000000 | x << 12 | y, so a copied
// pixel tells where in the source it came from.
inline IFrameStrip CoordStrip(IEditor* editor, int32_t w, int32_t h, int32_t frames, int32_t* idOut = nullptr) {
  auto* bitmap = new PX_MemBitmap(w, h, 4);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      bitmap->pixels()[y * bitmap->rowStride() + x] = 0xFF000000u | static_cast<uint32_t>(x) << 12 | y;
  int32_t id = NextImageId();
  if (idOut) *idOut = id;
  ImageCache::Add(id, bitmap);
  return editor->LoadFrameStrip(id, "", frames);
}

inline uint32_t PixelAt(IEditor* editor, int x, int y) {
  PX_IBitmap* b = editor->DrawBitmap();
  return b->pixels()[y * b->rowStride() + x];
}

inline void ClearSurface(IEditor* editor, uint32_t colour = 0) {
  PX_IBitmap* b = editor->DrawBitmap();
  for (int y = 0; y < b->height(); ++y)
    for (int x = 0; x < b->width(); ++x) b->pixels()[y * b->rowStride() + x] = colour;
}

inline IMouseState Left() {
  IMouseState m;
  m.L = true;
  return m;
}
inline IMouseState Right() {
  IMouseState m;
  m.R = true;
  return m;
}
inline IMouseState LeftShift() {
  IMouseState m = Left();
  m.S = true;
  return m;
}

// A test plug-in with a 200 x 150 headless editor attached (the plug-in owns it).
struct EditorHarness {
  TestPlug plug;
  IEditorWin* editor;
  explicit EditorHarness(int32_t frameRate = 0) : editor(new IEditorWin(&plug, 200, 150, frameRate)) {
    plug.AttachEditor(editor);
  }
  template <class T>
  T* Add(T* control) {
    editor->AddControl(control);
    return control;
  }
  // Clicks (down and up) at a point.
  void Click(int32_t x, int32_t y, const IMouseState& mod = Left()) {
    editor->HandleMouseDown(x, y, mod);
    editor->HandleMouseUp(x, y, mod);
  }
  void Ticks(int n) {
    for (int i = 0; i < n; ++i) editor->Tick();
  }
};
