#include "tools/host/PluginModule.h"

using namespace Steinberg;

namespace {

// "Ondivox" from ".../Ondivox.vst3/" (either separator).
std::string StemOf(const std::string& bundlePath) {
  std::string path = bundlePath;
  while (path.size() > 1 && (path.back() == '/' || path.back() == '\\')) path.pop_back();
  std::size_t slash = path.find_last_of("/\\");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  std::size_t dot = name.rfind(".vst3");
  return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace

std::string PluginModule::BinaryInBundle(const std::string& bundlePath) {
  if (!IsDirectory(bundlePath)) return bundlePath;
  const char* suffix = "";
  const char* folder = BinaryFolderAndSuffix(&suffix);
  return bundlePath + "/Contents/" + folder + "/" + StemOf(bundlePath) + suffix;
}

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

void PluginModule::Adopt(IPluginFactory* madeHere) {
  Unload();
  factory = madeHere;
  binaryPath.clear();
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
