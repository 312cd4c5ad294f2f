// Loading a bundle on Linux: dlopen, ModuleEntry / ModuleExit.
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>

#include "tools/host/PluginModule.h"

namespace {

bool IsDirectory(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string StemOf(const std::string& bundlePath) {
  std::string path = bundlePath;
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  std::size_t slash = path.find_last_of('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  std::size_t dot = name.rfind(".vst3");
  return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace

std::string PluginModule::BinaryInBundle(const std::string& bundlePath) {
  if (!IsDirectory(bundlePath)) return bundlePath;
  return bundlePath + "/Contents/x86_64-linux/" + StemOf(bundlePath) + ".so";
}

std::string PluginModule::ProgramDirectory() {
  char path[PATH_MAX] = {};
  ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return ".";
  std::string full(path, static_cast<std::size_t>(n));
  std::size_t slash = full.find_last_of('/');
  return slash == std::string::npos ? "." : full.substr(0, slash);
}

bool PluginModule::OpenLibrary(const std::string& path) {
  library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!library) {
    const char* why = dlerror();
    error = std::string("cannot load ") + path + (why ? std::string(": ") + why : std::string());
    return false;
  }
  return true;
}

void* PluginModule::Symbol(const char* name) { return library ? dlsym(library, name) : nullptr; }

bool PluginModule::CallEntry() {
  using EntryProc = bool (*)(void*);
  auto entry = reinterpret_cast<EntryProc>(Symbol("ModuleEntry"));
  return entry ? entry(library) : true;
}

void PluginModule::CallExit() {
  using ExitProc = bool (*)();
  auto exitProc = reinterpret_cast<ExitProc>(Symbol("ModuleExit"));
  if (exitProc) exitProc();
}

void PluginModule::CloseLibrary() {
  if (library) dlclose(library);
  library = nullptr;
}
