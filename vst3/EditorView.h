// IEffectVST3View: the plug-in's editor as a host-side view.
//
// A view only opens and closes the editor's window; the editor itself belongs
// to the plug-in. Each view holds one reference on the plug-in and is listed
// in its views while it lives.
#pragma once

#include <cstdint>

#include "pluginterfaces/gui/iplugview.h"
#include "public.sdk/source/common/pluginview.h"

class IEffectVST3;

class IEffectVST3View : public Steinberg::CPluginView {
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

  // The plug-in asks the host frame for a new size; onSize confirms it.
  void RequestResize(int32_t width, int32_t height);
  bool ResizePending() const { return resizePending; }
  Steinberg::IPlugFrame* Frame() const { return plugFrame; }
  void* Parent() const { return systemWindow; }

 private:
  // The window system this build can open the editor in ("HWND" on Windows).
  static bool IsNativeType(FIDString type);

  IEffectVST3* plug;
  bool resizePending = false;
};
