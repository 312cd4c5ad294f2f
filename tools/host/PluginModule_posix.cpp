// Loading a bundle on Linux: dlopen, ModuleEntry / ModuleExit.
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>

#include "tools/host/PluginModule.h"

namespace {

bool IsDirectoryPath(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

bool PluginModule::IsDirectory(const std::string& path) { return IsDirectoryPath(path); }

const char* PluginModule::BinaryFolderAndSuffix(const char** suffix) {
  *suffix = ".so";
  return "x86_64-linux";
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
