// Views on Windows open their editor in a host window handle.
#include <cstring>

#include "vst3/EditorView.h"

bool IEffectVST3View::IsNativeType(FIDString type) {
  return type && std::strcmp(type, Steinberg::kPlatformTypeHWND) == 0;
}
