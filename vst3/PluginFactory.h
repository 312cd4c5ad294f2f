// CPluginFactory: the module's VST3 plug-in factory.
//
// Holds the factory description and a list of registered classes, each with
// a creation function. Reference-counted; the module keeps one factory and
// hands it out from GetPluginFactory (see ModuleFactory).
#pragma once

#include <atomic>
#include <vector>

#include "pluginterfaces/base/ipluginbase.h"

namespace Steinberg {

class CPluginFactory : public IPluginFactory3 {
 public:
  // Makes a new object of a class with reference count 1, or null.
  using CreateFunction = FUnknown* (*)(void* context);

  explicit CPluginFactory(const PFactoryInfo& info);
  virtual ~CPluginFactory();
  CPluginFactory(const CPluginFactory&) = delete;
  CPluginFactory& operator=(const CPluginFactory&) = delete;

  bool registerClass(const PClassInfo2& info, CreateFunction create, void* context = nullptr);
  bool isClassRegistered(const FUID& cid) const;

  // FUnknown
  tresult PLUGIN_API queryInterface(const TUID iid, void** obj) SMTG_OVERRIDE;
  uint32 PLUGIN_API addRef() SMTG_OVERRIDE;
  uint32 PLUGIN_API release() SMTG_OVERRIDE;

  // IPluginFactory
  tresult PLUGIN_API getFactoryInfo(PFactoryInfo* info) SMTG_OVERRIDE;
  int32 PLUGIN_API countClasses() SMTG_OVERRIDE;
  tresult PLUGIN_API getClassInfo(int32 index, PClassInfo* info) SMTG_OVERRIDE;
  tresult PLUGIN_API createInstance(FIDString cid, FIDString iid, void** obj) SMTG_OVERRIDE;
  // IPluginFactory2
  tresult PLUGIN_API getClassInfo2(int32 index, PClassInfo2* info) SMTG_OVERRIDE;
  // IPluginFactory3
  tresult PLUGIN_API getClassInfoUnicode(int32 index, PClassInfoW* info) SMTG_OVERRIDE;
  tresult PLUGIN_API setHostContext(FUnknown* context) SMTG_OVERRIDE;

  // Called with this factory just before it is deleted.
  void (*onDestroy)(CPluginFactory*) = nullptr;

 private:
  struct ClassEntry {
    PClassInfo2 info;
    CreateFunction create;
    void* context;
  };
  const ClassEntry* entryAt(int32 index) const;

  std::atomic<uint32> refCount{1};
  PFactoryInfo factoryInfo;
  std::vector<ClassEntry> classes;
  FUnknown* hostContext = nullptr;
};

}  // namespace Steinberg
