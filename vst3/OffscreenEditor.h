// IOffscreenEditor: the plug-in's editor with no window at all, drawn into
// a bitmap the caller owns and worked by pointer input at editor pixels.
//
// An interface of this program's own, asked of the edit controller with
// queryInterface; hosts never see it. Tools use it to picture the editor and
// replay a user's gestures through the same code the window feeds. Every
// call belongs on the UI thread, as a window's would.
//
//   getEditorSize  the editor's size in pixels, at its scale
//   pointer        one pointer event at those pixels, as the window would
//                  deliver it
//   tick           one tick of the editor's timer (redraws, deferred ends)
//   drawInto       redraws everything and copies it into the caller's pixels
//   setEditorScale draws the editor at a display scale from then on (1 ... 4;
//                  others become the nearer end), as a host's factor would
#pragma once

#include "pluginterfaces/base/funknown.h"

class IOffscreenEditor : public Steinberg::FUnknown {
 public:
  enum PointerEvent : Steinberg::int32 { kPointerDown = 0, kPointerDrag, kPointerUp, kPointerWheel };
  enum PointerButtons : Steinberg::int32 { kButtonLeft = 1, kButtonRight = 2, kShift = 4, kCtrl = 8, kAlt = 16 };

  virtual Steinberg::tresult PLUGIN_API getEditorSize(Steinberg::int32* width, Steinberg::int32* height) = 0;
  // buttons: PointerButtons held; notches: the wheel's turn (up positive).
  virtual Steinberg::tresult PLUGIN_API pointer(Steinberg::int32 event, Steinberg::int32 x, Steinberg::int32 y,
                                                Steinberg::int32 buttons, Steinberg::int32 notches) = 0;
  virtual Steinberg::tresult PLUGIN_API tick() = 0;
  // pixels: height rows of stride 32-bit words (0xAARRGGBB), top row first;
  // width and height must be the editor's. kResultFalse without an editor.
  virtual Steinberg::tresult PLUGIN_API drawInto(Steinberg::uint32* pixels, Steinberg::int32 width,
                                                 Steinberg::int32 height, Steinberg::int32 stride) = 0;
  virtual Steinberg::tresult PLUGIN_API setEditorScale(double factor) = 0;

  static inline const Steinberg::FUID iid{0x4F6E6469, 0x766F784F, 0x66667363, 0x7265656E};
};
