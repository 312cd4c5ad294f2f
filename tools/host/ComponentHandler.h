// ComponentHandler: receives the plug-in's edit gestures and restart requests
// and keeps a log of them.
#pragma once

#include <vector>

#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "tools/host/HostObject.h"

class ComponentHandler : public HostObject<Steinberg::Vst::IComponentHandler> {
 public:
  enum class Kind { kBegin, kPerform, kEnd, kRestart };
  struct Call {
    Kind kind;
    Steinberg::Vst::ParamID id;
    double value;  // performEdit's value; restartComponent's flags
  };

  Steinberg::tresult PLUGIN_API beginEdit(Steinberg::Vst::ParamID id) override;
  Steinberg::tresult PLUGIN_API performEdit(Steinberg::Vst::ParamID id,
                                            Steinberg::Vst::ParamValue value) override;
  Steinberg::tresult PLUGIN_API endEdit(Steinberg::Vst::ParamID id) override;
  Steinberg::tresult PLUGIN_API restartComponent(Steinberg::int32 flags) override;

  const std::vector<Call>& Calls() const { return calls; }
  void Clear() { calls.clear(); }

 private:
  std::vector<Call> calls;
};
