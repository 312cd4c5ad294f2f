// IBlend: how a control's artwork is laid on what is already drawn.
#pragma once

#include <cstdint>

enum IBlendKind : int32_t { kBlendAlpha = 0, kBlendCopy = 1, kBlendAdd = 2, kBlendDodge = 3 };

struct IBlend {
  int32_t kind = kBlendAlpha;
  float weight = 1.0f;  // opacity 0..1

  IBlend() = default;
  IBlend(int32_t k, float w) : kind(k), weight(w) {}
};

// Raster combine mode for a blend; no blend means alpha-weighted copy.
int32_t BlendRasterMode(const IBlend* blend);
// Opacity for a blend; no blend means fully opaque.
float BlendOpacity(const IBlend* blend);
