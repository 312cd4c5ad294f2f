// The module's one plug-in factory and the module's location on disk.
//
// GetPluginFactory (in the platform entry files) hands out ModuleFactory():
// built on the first call, shared with a new reference on every later one,
// and built afresh if the host released the last reference in between.
#pragma once

#include <mutex>
#include <string>

#include "vst3/PluginFactory.h"

// Builds a factory with its classes registered (reference count 1).
using FactoryBuilder = Steinberg::CPluginFactory* (*)();

Steinberg::IPluginFactory* ModuleFactory(FactoryBuilder build);

// Serialises object creation across the whole process.
std::recursive_mutex& CreationLock();

// Where the module was loaded from; recorded by the entry code.
struct ModuleLocation {
  void* handle = nullptr;     // the module's instance handle
  std::string directory;      // without the trailing separator
};
void SetModuleLocation(void* handle, const std::string& path);
const ModuleLocation& GetModuleLocation();
