// The editor's redraw cost: a full repaint of a 550 x 365 editor with a
// background, twelve rotating knobs with value texts, switches and buttons,
// and one timer tick with a single knob changed.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "controls/Button.h"
#include "controls/KnobRotVal.h"
#include "controls/SwitchLbl.h"
#include "editor/EditorWin.h"
#include "editor/ImageCache.h"
#include "framework/EffectBase.h"
#include "raster/MemBitmap.h"

namespace {

constexpr int kKnobs = 12;

class BenchPlug : public IEffectBase {
 public:
  static EffectConfig Config() {
    EffectConfig c;
    c.paramCount = kKnobs + 2;
    c.channelIo = "2-2";
    return c;
  }
  BenchPlug() : IEffectBase(Config()) {
    for (int i = 0; i < kKnobs; ++i) {
      char name[16];
      std::snprintf(name, sizeof name, "Knob %d", i);
      Param(i)->DefineDouble(name, 50.0, 0.0, 100.0, 0.1, "%");
      Param(i)->displayPrecision = 1;
    }
    Param(kKnobs)->DefineEnum("Wave", 0, 8, "");
    Param(kKnobs + 1)->DefineEnum("On", 0, 2, "");
  }
};

// A w x h image in one colour with an alpha ramp, put into the image cache.
IFrameStrip Artwork(IEditor* editor, int id, int w, int h, int frames, bool opaque) {
  auto* bitmap = new PX_MemBitmap(w, h, 4);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint32_t a = opaque ? 255u : static_cast<uint32_t>((x * 255) / (w > 1 ? w - 1 : 1));
      bitmap->pixels()[y * bitmap->rowStride() + x] = a << 24 | 0x406080u;
    }
  ImageCache::Add(id, bitmap);
  return editor->LoadFrameStrip(id, "", frames);
}

struct BenchEditor {
  BenchPlug plug;
  IEditorWin* editor = new IEditorWin(&plug, 550, 365, 0);
  IKnobRotVal* firstKnob = nullptr;

  BenchEditor() {
    IFrameStrip knob = Artwork(editor, 90001, 58, 58, 1, false);
    IFrameStrip wave = Artwork(editor, 90002, 40, 320, 8, false);
    IFrameStrip button = Artwork(editor, 90003, 50, 20, 1, false);
    Artwork(editor, 90000, 550, 365, 1, true);
    editor->AddBackground(90000, "img/bg.png");
    ITextStyle text("Arial", 13, IArgb(255, 220, 220, 220));
    for (int i = 0; i < kKnobs; ++i) {
      auto* k = new IKnobRotVal(&plug, i, 60 + (i % 6) * 85, 80 + (i / 6) * 120, knob, text, 5, 300, 4.0, 0, 0,
                                0.2f, true, 0);
      editor->AddControl(k);
      if (i == 0) firstKnob = k;
    }
    editor->AddControl(new ISwitchLbl(&plug, kKnobs, 40, 300, wave, text, 0, 0, 0, 0.2f));
    editor->AddControl(new IButton(&plug, kKnobs + 1, 200, 320, button, 0.2f));
    plug.AttachEditor(editor);
    editor->Tick();
  }
};

void BM_FullRedraw(benchmark::State& state) {
  BenchEditor b;
  for (auto _ : state) {
    b.editor->RedrawAll();
    b.editor->Tick();
  }
}
BENCHMARK(BM_FullRedraw)->Unit(benchmark::kMicrosecond);

void BM_TickOneKnobChanged(benchmark::State& state) {
  BenchEditor b;
  double v = 0.0;
  for (auto _ : state) {
    v = v > 0.9 ? 0.0 : v + 0.01;
    b.plug.SetParamFromHost(0, v);
    b.editor->Tick();
  }
}
BENCHMARK(BM_TickOneKnobChanged)->Unit(benchmark::kMicrosecond);

void BM_IdleTick(benchmark::State& state) {
  BenchEditor b;
  b.editor->Tick();
  b.editor->Tick();
  for (auto _ : state) b.editor->Tick();
}
BENCHMARK(BM_IdleTick)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
