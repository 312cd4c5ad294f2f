// SingleComponentEffect: one object that is both the VST3 component (audio
// processor) and its edit controller.
//
// Built on the SDK's EditController (which brings ComponentBase, the
// parameter container and IConnectionPoint); adds the component side: the
// bus lists, the processing setup and IComponent / IAudioProcessor with the
// usual defaults. Subclasses override what they do differently.
#pragma once

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "public.sdk/source/vst/vstbus.h"
#include "public.sdk/source/vst/vsteditcontroller.h"

namespace Steinberg {
namespace Vst {

// IEditController and IComponent both declare setState / getState with the
// same signature; one override in a single class would answer for both. The
// two facets give each interface its own overrider, so the component's state
// and the controller's state can differ.
class ControllerStateFacet : public EditController {
 public:
  tresult PLUGIN_API setState(IBStream* state) SMTG_OVERRIDE { return setControllerState(state); }
  tresult PLUGIN_API getState(IBStream* state) SMTG_OVERRIDE { return getControllerState(state); }
  virtual tresult setControllerState(IBStream* state) { return EditController::setState(state); }
  virtual tresult getControllerState(IBStream* state) { return EditController::getState(state); }
};

class ComponentStateFacet : public IComponent {
 public:
  tresult PLUGIN_API setState(IBStream* state) SMTG_OVERRIDE { return setComponentStateData(state); }
  tresult PLUGIN_API getState(IBStream* state) SMTG_OVERRIDE { return getComponentStateData(state); }
  virtual tresult setComponentStateData(IBStream* state) = 0;
  virtual tresult getComponentStateData(IBStream* state) = 0;
};

class SingleComponentEffect : public ControllerStateFacet,
                              public ComponentStateFacet,
                              public IAudioProcessor {
 public:
  SingleComponentEffect();

  // IPluginBase
  tresult PLUGIN_API initialize(FUnknown* context) SMTG_OVERRIDE;
  tresult PLUGIN_API terminate() SMTG_OVERRIDE;

  // IComponent
  tresult PLUGIN_API getControllerClassId(TUID classId) SMTG_OVERRIDE;
  tresult PLUGIN_API setIoMode(IoMode mode) SMTG_OVERRIDE;
  int32 PLUGIN_API getBusCount(MediaType type, BusDirection dir) SMTG_OVERRIDE;
  tresult PLUGIN_API getBusInfo(MediaType type, BusDirection dir, int32 index,
                                BusInfo& info) SMTG_OVERRIDE;
  tresult PLUGIN_API getRoutingInfo(RoutingInfo& inInfo, RoutingInfo& outInfo) SMTG_OVERRIDE;
  tresult PLUGIN_API activateBus(MediaType type, BusDirection dir, int32 index,
                                 TBool state) SMTG_OVERRIDE;
  tresult PLUGIN_API setActive(TBool state) SMTG_OVERRIDE;
  // The component's state (IComponent::setState / getState).
  tresult setComponentStateData(IBStream* state) SMTG_OVERRIDE;
  tresult getComponentStateData(IBStream* state) SMTG_OVERRIDE;

  // IAudioProcessor
  tresult PLUGIN_API setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                        SpeakerArrangement* outputs, int32 numOuts) SMTG_OVERRIDE;
  tresult PLUGIN_API getBusArrangement(BusDirection dir, int32 index,
                                       SpeakerArrangement& arr) SMTG_OVERRIDE;
  tresult PLUGIN_API canProcessSampleSize(int32 symbolicSampleSize) SMTG_OVERRIDE;
  uint32 PLUGIN_API getLatencySamples() SMTG_OVERRIDE { return 0; }
  tresult PLUGIN_API setupProcessing(ProcessSetup& setup) SMTG_OVERRIDE;
  tresult PLUGIN_API setProcessing(TBool state) SMTG_OVERRIDE;
  tresult PLUGIN_API process(ProcessData& data) SMTG_OVERRIDE;
  uint32 PLUGIN_API getTailSamples() SMTG_OVERRIDE { return kNoTail; }

  OBJ_METHODS(SingleComponentEffect, EditController)
  DEFINE_INTERFACES
    DEF_INTERFACE(IComponent)
    DEF_INTERFACE(IAudioProcessor)
  END_DEFINE_INTERFACES(EditController)
  REFCOUNT_METHODS(EditController)

 protected:
  BusList* GetBusList(MediaType type, BusDirection dir);
  AudioBus* AudioBusAt(BusDirection dir, int32 index);
  void RemoveAllBuses();

  BusList audioInputs;
  BusList audioOutputs;
  BusList eventInputs;
  BusList eventOutputs;
  ProcessSetup processSetup;
};

}  // namespace Vst
}  // namespace Steinberg
