// The Ondivox module: its factory description, its one class and how an
// instance is made.
#include "module/OndivoxModule.h"

#include "instrument/Ondivox.h"
#include "vst3/ModuleFactory.h"

using namespace Steinberg;

namespace {

// GUID {F2AEE70D-00DE-4F4E-5A74-76416B75686A}: two fixed words, then the
// manufacturer ID 'ZtvA' and the unique ID 'kuhj'. FUID lays the words out in
// each platform's own byte order.
const FUID kOndivoxClassId(0xF2AEE70D, 0x00DE4F4E, 0x5A747641, 0x6B75686A);

FUnknown* CreateOndivox(void*) {
  std::lock_guard<std::recursive_mutex> g(CreationLock());
  auto* plug = new CLS_ONDIVOX();
  return static_cast<Vst::IAudioProcessor*>(plug);
}

CPluginFactory* BuildFactory() {
  PFactoryInfo info("Zentrova", "https://zentrova.example", "", PFactoryInfo::kUnicode);
  auto* factory = new CPluginFactory(info);
  TUID cid;
  kOndivoxClassId.toTUID(cid);
  PClassInfo2 cls(cid, PClassInfo::kManyInstances, "Audio Module Class", "Ondivox",
                  2 /* simple mode supported */, "Fx", "", "1.1.0", "VST 3.6.5");
  factory->registerClass(cls, &CreateOndivox);
  return factory;
}

}  // namespace

IPluginFactory* OndivoxFactory() { return ModuleFactory(&BuildFactory); }
