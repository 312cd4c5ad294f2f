// HostApplication: the host's identity, offered to the plug-in at initialize.
#pragma once

#include <string>

#include "pluginterfaces/vst/ivsthostapplication.h"
#include "tools/host/HostObject.h"

class HostApplication : public HostObject<Steinberg::Vst::IHostApplication> {
 public:
  explicit HostApplication(std::string name = "Ondivox Host") : name(std::move(name)) {}

  Steinberg::tresult PLUGIN_API getName(Steinberg::Vst::String128 text) override;
  // This host creates no messages or attribute lists for the plug-in.
  Steinberg::tresult PLUGIN_API createInstance(Steinberg::TUID, Steinberg::TUID, void** obj) override;

 private:
  std::string name;
};
