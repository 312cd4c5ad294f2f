// Entry points of the Windows module.
#include <windows.h>

#include <string>

#include "vst3/ModuleFactory.h"
#include "module/OndivoxModule.h"

#define ONDIVOX_EXPORT extern "C" SMTG_EXPORT_SYMBOL

namespace {

// The module's file name; wide so any folder name survives, then kept as
// UTF-8 for the rest of the code.
std::string ModulePath(HINSTANCE instance) {
  wchar_t wide[MAX_PATH] = {};
  DWORD n = GetModuleFileNameW(instance, wide, MAX_PATH);
  if (n == 0) return std::string();
  int bytes = WideCharToMultiByte(CP_UTF8, 0, wide, static_cast<int>(n), nullptr, 0, nullptr, nullptr);
  std::string path(bytes > 0 ? bytes : 0, '\0');
  if (bytes > 0)
    WideCharToMultiByte(CP_UTF8, 0, wide, static_cast<int>(n), &path[0], bytes, nullptr, nullptr);
  return path;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) SetModuleLocation(instance, ModulePath(instance));
  return TRUE;
}

ONDIVOX_EXPORT bool InitDll() { return true; }
ONDIVOX_EXPORT bool ExitDll() { return true; }
ONDIVOX_EXPORT Steinberg::IPluginFactory* PLUGIN_API GetPluginFactory() { return OndivoxFactory(); }
