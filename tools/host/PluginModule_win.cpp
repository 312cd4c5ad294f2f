// Loading a bundle on Windows: LoadLibrary, InitDll / ExitDll.
#include <windows.h>

#include "tools/host/PluginModule.h"

namespace {

std::wstring Widen(const std::string& text) {
  int n = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
  std::wstring wide(n > 0 ? n : 1, L'\0');
  if (n > 0) MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, &wide[0], n);
  wide.resize(wide.size() - 1);
  return wide;
}

std::string Narrow(const wchar_t* text) {
  int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string out(n > 0 ? n : 1, '\0');
  if (n > 0) WideCharToMultiByte(CP_UTF8, 0, text, -1, &out[0], n, nullptr, nullptr);
  out.resize(out.size() - 1);
  return out;
}

bool IsDirectoryPath(const std::string& path) {
  DWORD attributes = GetFileAttributesW(Widen(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

bool PluginModule::IsDirectory(const std::string& path) { return IsDirectoryPath(path); }

const char* PluginModule::BinaryFolderAndSuffix(const char** suffix) {
  *suffix = ".vst3";
  return "x86_64-win";
}

std::string PluginModule::ProgramDirectory() {
  wchar_t path[MAX_PATH] = {};
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (n == 0) return ".";
  std::string full = Narrow(path);
  std::size_t slash = full.find_last_of("/\\");
  return slash == std::string::npos ? "." : full.substr(0, slash);
}

bool PluginModule::OpenLibrary(const std::string& path) {
  library = reinterpret_cast<void*>(LoadLibraryW(Widen(path).c_str()));
  if (!library) {
    error = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  return true;
}

void* PluginModule::Symbol(const char* name) {
  return library ? reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name))
                 : nullptr;
}

bool PluginModule::CallEntry() {
  using EntryProc = bool (*)();
  auto entry = reinterpret_cast<EntryProc>(Symbol("InitDll"));
  return entry ? entry() : true;
}

void PluginModule::CallExit() {
  using ExitProc = bool (*)();
  auto exitProc = reinterpret_cast<ExitProc>(Symbol("ExitDll"));
  if (exitProc) exitProc();
}

void PluginModule::CloseLibrary() {
  if (library) FreeLibrary(static_cast<HMODULE>(library));
  library = nullptr;
}
