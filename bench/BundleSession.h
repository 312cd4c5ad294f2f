// The built bundle loaded through its entry points and one plug-in instance
// made, as the benchmarks that drive it through the VST3 interface need.
#pragma once

#include <memory>
#include <string>

#include "tools/host/ComponentHandler.h"
#include "tools/host/HostApplication.h"
#include "tools/host/PluginInstance.h"
#include "tools/host/PluginModule.h"

struct BundleSession {
  PluginModule module;
  HostApplication app;
  ComponentHandler handler;
  std::unique_ptr<PluginInstance> plug;  // null when the bundle did not load (module.Error() says why)

  BundleSession() {
    if (!module.Load(ONDIVOX_BUNDLE_PATH)) return;
    std::string error;
    plug = PluginInstance::Create(module.Factory(), &app, &handler, &error);
  }
};
