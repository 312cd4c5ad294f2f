#include "tools/host/PluginModule.h"

using namespace Steinberg;

PluginModule::~PluginModule() { Unload(); }

bool PluginModule::Load(const std::string& bundlePath) {
  Unload();
  binaryPath = BinaryInBundle(bundlePath);
  if (!OpenLibrary(binaryPath)) return false;
  if (!CallEntry()) {
    error = "the module's entry function failed: " + binaryPath;
    CloseLibrary();
    return false;
  }
  factory = AcquireFactory();
  if (!factory) {
    error = "no plug-in factory in " + binaryPath;
    CallExit();
    CloseLibrary();
    return false;
  }
  return true;
}

IPluginFactory* PluginModule::AcquireFactory() {
  using GetFactoryProc = IPluginFactory*(PLUGIN_API*)();
  auto getFactory = reinterpret_cast<GetFactoryProc>(Symbol("GetPluginFactory"));
  return getFactory ? getFactory() : nullptr;
}

void PluginModule::Unload() {
  if (factory) {
    factory->release();
    factory = nullptr;
  }
  if (library) {
    CallExit();
    CloseLibrary();
  }
}
