// The built bundle loaded through its entry points and one plug-in instance
// made, as the benchmarks that drive it through the VST3 interface need.
#pragma once

#include <memory>
#include <string>

#include "tools/host/PluginInstance.h"

struct BundleSession {
  std::string error;
  std::unique_ptr<PluginInstance> plug;  // null when the bundle did not load (error says why)

  BundleSession() { plug = PluginInstance::Open(ONDIVOX_BUNDLE_PATH, PluginHost(), &error); }
};
