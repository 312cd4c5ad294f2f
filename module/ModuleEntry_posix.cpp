// Entry points of the Linux module, as Linux VST3 hosts call them.
#include <dlfcn.h>

#include "vst3/ModuleFactory.h"
#include "module/OndivoxModule.h"

#define ONDIVOX_EXPORT extern "C" SMTG_EXPORT_SYMBOL

ONDIVOX_EXPORT bool ModuleEntry(void* sharedLibraryHandle) {
  Dl_info info;
  if (dladdr(reinterpret_cast<void*>(&ModuleEntry), &info) && info.dli_fname)
    SetModuleLocation(sharedLibraryHandle, info.dli_fname);
  return true;
}

ONDIVOX_EXPORT bool ModuleExit() { return true; }

ONDIVOX_EXPORT Steinberg::IPluginFactory* PLUGIN_API GetPluginFactory() { return OndivoxFactory(); }
