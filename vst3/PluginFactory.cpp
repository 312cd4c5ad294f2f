#include "vst3/PluginFactory.h"

#include <cstring>

#include "vst3/HostCall.h"

namespace Steinberg {

CPluginFactory::CPluginFactory(const PFactoryInfo& info) : factoryInfo(info) {}

CPluginFactory::~CPluginFactory() {
  if (onDestroy) onDestroy(this);
  if (hostContext) hostContext->release();
}

bool CPluginFactory::registerClass(const PClassInfo2& info, CreateFunction create, void* context) {
  if (!create) return false;
  classes.push_back({info, create, context});
  return true;
}

bool CPluginFactory::isClassRegistered(const FUID& cid) const {
  for (const ClassEntry& entry : classes)
    if (FUnknownPrivate::iidEqual(entry.info.cid, cid.toTUID())) return true;
  return false;
}

const CPluginFactory::ClassEntry* CPluginFactory::entryAt(int32 index) const {
  if (index < 0 || index >= static_cast<int32>(classes.size())) return nullptr;
  return &classes[index];
}

tresult PLUGIN_API CPluginFactory::queryInterface(const TUID iid, void** obj) {
  if (!obj) return kInvalidArgument;
  *obj = nullptr;
  if (!iid) return kInvalidArgument;
  if (FUnknownPrivate::iidEqual(iid, IPluginFactory3::iid) ||
      FUnknownPrivate::iidEqual(iid, IPluginFactory2::iid) ||
      FUnknownPrivate::iidEqual(iid, IPluginFactory::iid) ||
      FUnknownPrivate::iidEqual(iid, FUnknown::iid)) {
    addRef();
    *obj = static_cast<IPluginFactory3*>(this);
    return kResultOk;
  }
  *obj = nullptr;
  return kNoInterface;
}

uint32 PLUGIN_API CPluginFactory::addRef() { return ++refCount; }

uint32 PLUGIN_API CPluginFactory::release() {
  uint32 left = --refCount;
  if (left == 0) delete this;
  return left;
}

tresult PLUGIN_API CPluginFactory::getFactoryInfo(PFactoryInfo* info) {
  if (!info) return kInvalidArgument;
  *info = factoryInfo;
  return kResultOk;
}

int32 PLUGIN_API CPluginFactory::countClasses() { return static_cast<int32>(classes.size()); }

tresult PLUGIN_API CPluginFactory::getClassInfo(int32 index, PClassInfo* info) {
  const ClassEntry* entry = entryAt(index);
  if (!info || !entry) return kInvalidArgument;
  *info = PClassInfo();
  std::memcpy(info->cid, entry->info.cid, sizeof(TUID));
  info->cardinality = entry->info.cardinality;
  std::memcpy(info->category, entry->info.category, sizeof info->category);
  std::memcpy(info->name, entry->info.name, sizeof info->name);
  return kResultOk;
}

tresult PLUGIN_API CPluginFactory::getClassInfo2(int32 index, PClassInfo2* info) {
  const ClassEntry* entry = entryAt(index);
  if (!info || !entry) return kInvalidArgument;
  *info = entry->info;
  return kResultOk;
}

tresult PLUGIN_API CPluginFactory::getClassInfoUnicode(int32 index, PClassInfoW* info) {
  const ClassEntry* entry = entryAt(index);
  if (!info || !entry) return kInvalidArgument;
  info->fromAscii(entry->info);
  return kResultOk;
}

tresult PLUGIN_API CPluginFactory::createInstance(FIDString cid, FIDString iid, void** obj) {
  if (!obj) return kInvalidArgument;
  *obj = nullptr;
  if (!cid || !iid) return kInvalidArgument;
  for (const ClassEntry& entry : classes) {
    if (!FUnknownPrivate::iidEqual(entry.info.cid, cid)) continue;
    return HostCall([&]() -> tresult {
      FUnknown* instance = entry.create(entry.context);
      if (!instance) return kOutOfMemory;
      // The caller gets its own reference through the query; ours goes.
      tresult result = instance->queryInterface(iid, obj);
      instance->release();
      if (result != kResultOk) *obj = nullptr;
      return result == kResultOk ? kResultOk : kNoInterface;
    });
  }
  return kNoInterface;
}

tresult PLUGIN_API CPluginFactory::setHostContext(FUnknown* context) {
  if (context) context->addRef();
  if (hostContext) hostContext->release();
  hostContext = context;
  return kResultOk;
}

}  // namespace Steinberg
