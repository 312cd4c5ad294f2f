#include "vst3/ModuleFactory.h"

#include "vst3/HostCall.h"

using namespace Steinberg;

namespace {

std::mutex& FactoryMutex() {
  static std::mutex m;
  return m;
}

CPluginFactory*& SharedFactory() {
  static CPluginFactory* factory = nullptr;
  return factory;
}

ModuleLocation& Location() {
  static ModuleLocation location;
  return location;
}

// Owned by the factory: lets the module forget it when it goes away.
void ForgetFactory(CPluginFactory* gone) {
  std::lock_guard<std::mutex> g(FactoryMutex());
  if (SharedFactory() == gone) SharedFactory() = nullptr;
}

}  // namespace

IPluginFactory* ModuleFactory(FactoryBuilder build) {
  std::lock_guard<std::mutex> g(FactoryMutex());
  CPluginFactory*& factory = SharedFactory();
  if (factory) {
    factory->addRef();
    return factory;
  }
  if (!build) return nullptr;
  factory = HostCallObject(build);
  if (factory) factory->onDestroy = &ForgetFactory;
  return factory;
}

std::recursive_mutex& CreationLock() {
  static std::recursive_mutex m;
  return m;
}

void SetModuleLocation(void* handle, const std::string& path) {
  ModuleLocation& location = Location();
  location.handle = handle;
  std::size_t cut = path.find_last_of("/\\");
  location.directory = cut == std::string::npos ? std::string() : path.substr(0, cut);
}

const ModuleLocation& GetModuleLocation() { return Location(); }
