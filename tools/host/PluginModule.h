// PluginModule: a VST3 bundle loaded the way hosts load it: the binary for
// this platform inside the bundle, its entry call, then GetPluginFactory.
#pragma once

#include <string>

#include "pluginterfaces/base/ipluginbase.h"

class PluginModule {
 public:
  PluginModule() = default;
  ~PluginModule();
  PluginModule(const PluginModule&) = delete;
  PluginModule& operator=(const PluginModule&) = delete;

  // Loads bundlePath (the .vst3 folder, or the binary itself). On failure
  // answers false and Error() says why in one line.
  bool Load(const std::string& bundlePath);
  // Serves a factory made in this process instead of a loaded binary (a
  // host's own plug-ins); takes over the caller's reference.
  void Adopt(Steinberg::IPluginFactory* madeHere);
  // Releases the factory, calls the exit entry and unloads.
  void Unload();

  Steinberg::IPluginFactory* Factory() const { return factory; }
  // Calls GetPluginFactory again; the caller owns the reference it answers.
  Steinberg::IPluginFactory* AcquireFactory();
  const std::string& Error() const { return error; }
  const std::string& BinaryPath() const { return binaryPath; }

  // The binary inside a bundle for this platform ("Contents/<arch>/<name>").
  static std::string BinaryInBundle(const std::string& bundlePath);
  // The folder of the running program.
  static std::string ProgramDirectory();

 private:
  // Platform parts (PluginModule_posix.cpp / PluginModule_win.cpp).
  static bool IsDirectory(const std::string& path);
  static const char* BinaryFolderAndSuffix(const char** suffix);  // "x86_64-linux", ".so"
  bool OpenLibrary(const std::string& path);
  void* Symbol(const char* name);
  bool CallEntry();
  void CallExit();
  void CloseLibrary();

  void* library = nullptr;
  Steinberg::IPluginFactory* factory = nullptr;
  std::string error;
  std::string binaryPath;
};
