// IEffectVST3View: the plug-in's editor as a host-side view.
//
// A view only opens and closes the editor's window; the editor itself belongs
// to the plug-in. Each view holds one reference on the plug-in and is listed
// in its views while it lives. It takes the host's display scale and shows
// the editor at it (the window, and every size the view reports).
#pragma once

#include <cstdint>
#include <memory>

#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"
#include "public.sdk/source/common/pluginview.h"

class IEditor;
class IEffectVST3;

class IEffectVST3View : public Steinberg::CPluginView, public Steinberg::IPlugViewContentScaleSupport {
 public:
  explicit IEffectVST3View(IEffectVST3* plug);
  ~IEffectVST3View() override;

  using tresult = Steinberg::tresult;
  using FIDString = Steinberg::FIDString;
  using ViewRect = Steinberg::ViewRect;

  tresult PLUGIN_API isPlatformTypeSupported(FIDString type) SMTG_OVERRIDE;
  tresult PLUGIN_API attached(void* parent, FIDString type) SMTG_OVERRIDE;
  tresult PLUGIN_API removed() SMTG_OVERRIDE;
  tresult PLUGIN_API getSize(ViewRect* size) SMTG_OVERRIDE;
  tresult PLUGIN_API onSize(ViewRect* newSize) SMTG_OVERRIDE;
  tresult PLUGIN_API setFrame(Steinberg::IPlugFrame* frame) SMTG_OVERRIDE;
  // The size is the face's at the scale: any other is answered with it.
  tresult PLUGIN_API checkSizeConstraint(ViewRect* rect) SMTG_OVERRIDE;
  // 1 ... 4 (others become the nearer end); while the view is open the host
  // is asked, on the editor's next tick, to resize to match.
  tresult PLUGIN_API setContentScaleFactor(ScaleFactor factor) SMTG_OVERRIDE;
  // Keys the host passes on from its window: the open entry box takes its
  // keys; everything else stays the host's (kResultFalse).
  tresult PLUGIN_API onKeyDown(Steinberg::char16 key, Steinberg::int16 keyCode,
                               Steinberg::int16 modifiers) SMTG_OVERRIDE;

  // The plug-in asks the host frame for a new size; onSize confirms it.
  void RequestResize(int32_t width, int32_t height);
  bool ResizePending() const { return resizePending; }
  bool GivesScale() const { return givesScale; }
  Steinberg::IPlugFrame* Frame() const { return plugFrame; }
  void* Parent() const { return systemWindow; }

  OBJ_METHODS(IEffectVST3View, CPluginView)
  DEFINE_INTERFACES
    DEF_INTERFACE(IPlugViewContentScaleSupport)
  END_DEFINE_INTERFACES(CPluginView)
  REFCOUNT_METHODS(CPluginView)

 private:
  // The window system this build can open the editor in ("HWND" on Windows,
  // "X11EmbedWindowID" on Linux).
  static bool IsNativeType(FIDString type);
  // Opens the editor's window in the host's and hooks it to what drives it;
  // false when it cannot be shown. CloseWindow undoes both.
  bool OpenWindow(IEditor* editor, void* parent);
  void CloseWindow(IEditor* editor);

  IEffectVST3* plug;
  bool resizePending = false;
  bool givesScale = false;  // this view passed on a factor of the host's

  // What the window system needs beside the window (the host's run loop on
  // Linux), defined by the platform's source file.
  struct Native;
  struct NativeDeleter {
    void operator()(Native* n) const;
  };
  std::unique_ptr<Native, NativeDeleter> native;
};
