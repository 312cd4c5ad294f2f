// Combine modes: how one pixel is laid onto another. A mode is a 32-bit word:
// bits 0-7 the kind, bits 8-15 the filter (rotated copy), bit 16 "weight by
// source alpha". Weights k are in 1/256 units; 256 is full strength.
//
// Every kind is a small struct with one static `blend` so that each drawing
// operation instantiates its own pixel loop per kind (PX_WithCombineOp picks
// the struct once per call); nothing tests the mode per pixel.
#pragma once

#include <cstdint>

#include "raster/Pixel.h"

enum : uint32_t {
  PX_COMBINE_COPY = 0,
  PX_COMBINE_ADD = 1,
  PX_COMBINE_DODGE = 2,
  PX_COMBINE_MULTIPLY = 3,
  PX_COMBINE_OVERLAY = 4,
  PX_COMBINE_HSV = 5,
  PX_COMBINE_CHANNEL_COPY = 0xF0,
  PX_COMBINE_BILINEAR = 0x100,
  PX_COMBINE_SOURCE_ALPHA = 0x10000,
};

inline uint32_t PX_CombineKind(uint32_t mode) { return mode & 0xFF; }
inline bool PX_CombineHasSourceAlpha(uint32_t mode) { return (mode & PX_COMBINE_SOURCE_ALPHA) != 0; }

// Opacity to a weight in 1/256 units, truncated toward zero or rounded half
// away from zero. Weights are limited to +-16 times full strength, which
// keeps every formula inside int arithmetic; a NaN opacity draws nothing.
constexpr float PX_MAX_WEIGHT = 4096.0f;
inline int PX_WeightTrunc(float opacity) {
  if (!(opacity == opacity)) return 0;
  float w = opacity * 256.0f;
  if (w > PX_MAX_WEIGHT) w = PX_MAX_WEIGHT;
  if (w < -PX_MAX_WEIGHT) w = -PX_MAX_WEIGHT;
  return static_cast<int>(w);
}
inline int PX_WeightRound(float opacity) {
  if (!(opacity == opacity)) return 0;
  float w = opacity * 256.0f;
  if (w > PX_MAX_WEIGHT) w = PX_MAX_WEIGHT;
  if (w < -PX_MAX_WEIGHT) w = -PX_MAX_WEIGHT;
  return static_cast<int>(w < 0 ? w - 0.5f : w + 0.5f);
}

// A source colour as four channels. The alpha channel may lie outside 0-255
// (a fill uses its weight as the source alpha value).
struct PX_Source {
  int b, g, r, a;
  static PX_Source of(PX_Pixel32 p) { return {PX_Blue(p), PX_Green(p), PX_Red(p), PX_Alpha(p)}; }
};

namespace px_combine {

inline int clamp255(int x) { return x < 0 ? 0 : (x > 255 ? 255 : x); }

// Applies a per-channel formula to all four channels.
template <class Channel>
inline PX_Pixel32 eachChannel(PX_Pixel32 d, const PX_Source& s, int k) {
  return PX_Pack(Channel::apply(PX_Alpha(d), s.a, k), Channel::apply(PX_Red(d), s.r, k),
                 Channel::apply(PX_Green(d), s.g, k), Channel::apply(PX_Blue(d), s.b, k));
}

struct CopyChannel {
  static int apply(int d, int s, int k) { return s + (d - s) * (256 - k) / 256; }
};
struct AddChannel {
  static int apply(int d, int s, int k) { return clamp255(d + s * k / 256); }
};
struct DodgeChannel {
  static int apply(int d, int s, int k) {
    int t = s * k / 256;
    if (t > 254) return d > 0 ? 255 : 0;
    return clamp255(d * 256 / (256 - t));
  }
};
struct MultiplyChannel {
  // Clamped only so that weights outside 0-256 cannot spill into the next byte.
  static int apply(int d, int s, int k) { return clamp255(((s * k + (256 - k) * 256) * d) >> 16); }
};
struct OverlayChannel {
  static int apply(int d, int s, int k) {
    int x = k * (s - 128);
    return clamp255(((x + 32768 - x * d / 256) * d) >> 15);
  }
};

// Hue/saturation/value adjust of the destination by the source.
PX_Pixel32 hsvAdjust(PX_Pixel32 d, const PX_Source& s, int k);

}  // namespace px_combine

// The kinds without source-alpha weighting: k is the weight as given.
// `skipTransparent` tells the source-alpha wrapper to leave pixels with source
// alpha 0 alone.
struct PX_CopyOp {
  static constexpr bool skipTransparent = true;
  static PX_Pixel32 blend(PX_Pixel32 d, const PX_Source& s, int k) {
    if (k >= 256) return PX_Pack(s.a, s.r, s.g, s.b);
    return px_combine::eachChannel<px_combine::CopyChannel>(d, s, k);
  }
};
struct PX_AddOp {
  static constexpr bool skipTransparent = true;
  static PX_Pixel32 blend(PX_Pixel32 d, const PX_Source& s, int k) {
    return px_combine::eachChannel<px_combine::AddChannel>(d, s, k);
  }
};
struct PX_DodgeOp {
  static constexpr bool skipTransparent = false;
  static PX_Pixel32 blend(PX_Pixel32 d, const PX_Source& s, int k) {
    return px_combine::eachChannel<px_combine::DodgeChannel>(d, s, k);
  }
};
struct PX_MultiplyOp {
  static constexpr bool skipTransparent = true;
  static PX_Pixel32 blend(PX_Pixel32 d, const PX_Source& s, int k) {
    return px_combine::eachChannel<px_combine::MultiplyChannel>(d, s, k);
  }
};
struct PX_OverlayOp {
  static constexpr bool skipTransparent = false;
  static PX_Pixel32 blend(PX_Pixel32 d, const PX_Source& s, int k) {
    return px_combine::eachChannel<px_combine::OverlayChannel>(d, s, k);
  }
};
struct PX_HsvOp {
  static constexpr bool skipTransparent = false;
  static PX_Pixel32 blend(PX_Pixel32 d, const PX_Source& s, int k) { return px_combine::hsvAdjust(d, s, k); }
};

// Copy weighted by source alpha: its own formula (alpha accumulates).
struct PX_CopySourceAlphaOp {
  static PX_Pixel32 blend(PX_Pixel32 d, const PX_Source& s, int alpha) {
    int sa = s.a;
    if (sa <= 0) return d;
    int da = PX_Alpha(d);
    if (alpha >= 256) {
      if (sa >= 255) return PX_Pack(255, s.r, s.g, s.b);
      int keep = 255 - sa;
      return PX_Pack(da + sa > 255 ? 255 : da + sa, s.r + (PX_Red(d) - s.r) * keep / 256,
                     s.g + (PX_Green(d) - s.g) * keep / 256, s.b + (PX_Blue(d) - s.b) * keep / 256);
    }
    int k = alpha * (sa + 1) / 256;
    int keep = 256 - k;
    return PX_Pack(px_combine::clamp255(da + k), s.r + (PX_Red(d) - s.r) * keep / 256,
                   s.g + (PX_Green(d) - s.g) * keep / 256, s.b + (PX_Blue(d) - s.b) * keep / 256);
  }
};

// Any other kind weighted by source alpha: k = alpha x (sa + 1) / 256.
template <class Op>
struct PX_SourceAlphaOp {
  static PX_Pixel32 blend(PX_Pixel32 d, const PX_Source& s, int alpha) {
    if (Op::skipTransparent && s.a == 0) return d;
    return Op::blend(d, s, alpha * (s.a + 1) / 256);
  }
};

// Calls f(Op()) with the operation for the mode's kind and, when
// withSourceAlpha is set, its source-alpha flag. Returns false (and calls
// nothing) for a mode that names none of the twelve combinations.
template <class F>
bool PX_WithCombineOp(uint32_t mode, bool withSourceAlpha, F&& f) {
  bool sa = withSourceAlpha && PX_CombineHasSourceAlpha(mode);
  switch (PX_CombineKind(mode)) {
    case PX_COMBINE_COPY: sa ? f(PX_CopySourceAlphaOp()) : f(PX_CopyOp()); return true;
    case PX_COMBINE_ADD: sa ? f(PX_SourceAlphaOp<PX_AddOp>()) : f(PX_AddOp()); return true;
    case PX_COMBINE_DODGE: sa ? f(PX_SourceAlphaOp<PX_DodgeOp>()) : f(PX_DodgeOp()); return true;
    case PX_COMBINE_MULTIPLY: sa ? f(PX_SourceAlphaOp<PX_MultiplyOp>()) : f(PX_MultiplyOp()); return true;
    case PX_COMBINE_OVERLAY: sa ? f(PX_SourceAlphaOp<PX_OverlayOp>()) : f(PX_OverlayOp()); return true;
    case PX_COMBINE_HSV: sa ? f(PX_SourceAlphaOp<PX_HsvOp>()) : f(PX_HsvOp()); return true;
    default: return false;
  }
}

// One pixel combined by the mode's kind (and source-alpha flag) at weight k;
// for callers that combine a few pixels and need no loop of their own. An
// unknown kind leaves the destination.
PX_Pixel32 PX_CombinePixel(uint32_t mode, PX_Pixel32 destination, const PX_Source& source, int k);

// Word shortcuts of the copy kind at exact weights: c the colour, d the pixel.
inline PX_Pixel32 PX_Half(PX_Pixel32 c, PX_Pixel32 d) {
  return ((c >> 1) & 0x7F7F7F7F) + ((d >> 1) & 0x7F7F7F7F);
}
inline PX_Pixel32 PX_Quarter(PX_Pixel32 c, PX_Pixel32 d) {
  return ((c >> 2) & 0x3F3F3F3F) + ((d >> 1) & 0x7F7F7F7F) + ((d >> 2) & 0x3F3F3F3F);
}
inline PX_Pixel32 PX_ThreeQuarters(PX_Pixel32 c, PX_Pixel32 d) {
  return ((c >> 1) & 0x7F7F7F7F) + ((c >> 2) & 0x3F3F3F3F) + ((d >> 2) & 0x3F3F3F3F);
}
