#include "editor/Blend.h"

namespace {
constexpr int32_t kModeCopy = 0;
constexpr int32_t kModeAdd = 1;
constexpr int32_t kModeDodge = 2;
constexpr int32_t kModeSourceAlpha = 0x10000;
}  // namespace

int32_t BlendRasterMode(const IBlend* blend) {
  if (!blend) return kModeSourceAlpha;
  switch (blend->kind) {
    case kBlendCopy: return kModeCopy;
    case kBlendAdd: return kModeSourceAlpha | kModeAdd;
    case kBlendDodge: return kModeSourceAlpha | kModeDodge;
    default: return kModeSourceAlpha;
  }
}

float BlendOpacity(const IBlend* blend) { return blend ? blend->weight : 1.0f; }
