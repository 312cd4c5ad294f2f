#include "tools/host/HostApplication.h"

using namespace Steinberg;

tresult PLUGIN_API HostApplication::getName(Vst::String128 text) {
  if (!text) return kInvalidArgument;
  std::size_t i = 0;
  for (; i < name.size() && i < 127; ++i) text[i] = static_cast<char16>(static_cast<unsigned char>(name[i]));
  text[i] = 0;
  return kResultOk;
}

tresult PLUGIN_API HostApplication::createInstance(TUID, TUID, void** obj) {
  if (obj) *obj = nullptr;
  return kResultFalse;
}
