// What every editor window test shares, on either window system: the bundle
// loaded through its entry points, a plug-in with one view, and a reference
// instance of the instrument made in this process that tells where controls
// lie and what the editor draws. The host's calls are read back as gestures.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/EditorScale.h"
#include "editor/Rect.h"
#include "instrument/Ondivox.h"
#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"
#include "tools/host/ComponentHandler.h"
#include "tools/host/HostApplication.h"
#include "tools/host/PluginInstance.h"

inline char FirstOf(const std::string& s) { return s.empty() ? '\0' : s.front(); }
inline char LastOf(const std::string& s) { return s.empty() ? '\0' : s.back(); }

// Lets the reference instance read the artwork that the loaded bundle carries.
void ShareBundleArtwork(PluginModule* module);

class EditorViewFixture : public ::testing::Test {
 protected:
  using Kind = ComponentHandler::Kind;
  static constexpr int kWidth = 550, kHeight = 365;

  struct KnobSpot {
    int32_t param = -1;
    int x = 0, y = 0;
  };

  static void SetUpTestSuite();
  static void TearDownTestSuite();
  void SetUp() override;
  // Removes the view when still attached, then lets go of view and plug-in.
  void TearDown() override;

  // The control bound to the named parameter, at its centre.
  static KnobSpot Spot(const char* paramName);
  // The same place in a window at a display scale: the middle of the face
  // pixel's scaled area.
  static KnobSpot Scaled(const KnobSpot& at, double factor);
  // The rectangle the value entry box covers over the named parameter's
  // control, in face pixels.
  static IRect EntryRectOf(const char* paramName);
  // The host's display scale, through the view's scale interface.
  Steinberg::tresult SetContentScale(float factor) const;
  // Gives the view a factor and checks the size it then reports, which it
  // answers (a host makes its window that size before attaching).
  Steinberg::ViewRect SizeAtScale(double factor) const;
  // The factors the scale tests open the view at.
  static constexpr double kScales[] = {1.0, 1.25, 1.5, 2.0, 3.0};
  static int ScaledSize(int face, double factor) { return static_cast<int>(face * factor + 0.5); }
  // What the editor draws off-screen for a fresh instance, as 0x00RRGGBB.
  static std::vector<uint32_t> ReferenceDrawing();
  // The window's pixels (0x00RRGGBB, row by row) are the editor's drawing.
  static void ExpectShowsDrawing(const std::vector<uint32_t>& shown);

  // Runs the host's loop (runUntil (done, ms)) until the parameter's gesture
  // ends, and checks that it was one wheel notch whose end came twelve editor
  // ticks (ticks ()) after its value.
  void ExpectWheelGestureEndsTwelveTicksLater(
      Steinberg::Vst::ParamID id, const std::function<int64_t()>& ticks,
      const std::function<bool(const std::function<bool()>&, int)>& runUntil);

  bool Seen(Kind kind, Steinberg::Vst::ParamID id) const;
  // The calls for one parameter as "B P P E".
  std::string Gesture(Steinberg::Vst::ParamID id) const;
  double LastPerformed(Steinberg::Vst::ParamID id) const;
  double Normalized(Steinberg::Vst::ParamID id) const;
  double Plain(Steinberg::Vst::ParamID id) const;

  static std::shared_ptr<PluginModule> module;
  static CLS_ONDIVOX* reference;
  static HostApplication referenceApp;

  ComponentHandler handler;
  std::unique_ptr<PluginInstance> plug;
  Steinberg::IPlugView* view = nullptr;
  bool attached = false;
};
