// The "over" row for every x86-64 processor: four pixels per step.
#include <emmintrin.h>

#include "raster/Combine.h"
#include "raster/OverKernel.h"

namespace {

struct Lanes {
  using T = __m128i;
  static constexpr int kPixels = 4;
  static T Load(const PX_Pixel32* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
  static void Store(PX_Pixel32* p, T v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }
  static T Low(T v) { return _mm_unpacklo_epi8(v, _mm_setzero_si128()); }
  static T High(T v) { return _mm_unpackhi_epi8(v, _mm_setzero_si128()); }
  static T Pack(T lo, T hi) { return _mm_packus_epi16(lo, hi); }
  static T Set(short v) { return _mm_set1_epi16(v); }
  static T Add(T a, T b) { return _mm_add_epi16(a, b); }
  static T Sub(T a, T b) { return _mm_sub_epi16(a, b); }
  static T SubSat(T a, T b) { return _mm_subs_epu16(a, b); }
  static T Mul(T a, T b) { return _mm_mullo_epi16(a, b); }
  static T Shr8(T a) { return _mm_srli_epi16(a, 8); }
  static T Min(T a, T b) { return _mm_min_epi16(a, b); }
  static T BroadcastAlpha(T v) { return _mm_shufflehi_epi16(_mm_shufflelo_epi16(v, 0xFF), 0xFF); }
  static T AlphaFrom(T colour, T alpha) {
    const T alphaLanes = _mm_set_epi16(-1, 0, 0, 0, -1, 0, 0, 0);
    return _mm_or_si128(_mm_and_si128(alphaLanes, alpha), _mm_andnot_si128(alphaLanes, colour));
  }
  // kAllClear when every pixel's alpha is 0, kAllSolid when every one's is 255.
  enum { kMixed = 0, kAllClear = 1, kAllSolid = 2 };
  static int AlphaState(T v) {
    const T alpha = _mm_and_si128(v, _mm_set1_epi32(static_cast<int>(0xFF000000u)));
    if (_mm_movemask_epi8(_mm_cmpeq_epi32(alpha, _mm_setzero_si128())) == 0xFFFF) return kAllClear;
    if (_mm_movemask_epi8(_mm_cmpeq_epi32(alpha, _mm_set1_epi32(static_cast<int>(0xFF000000u)))) == 0xFFFF)
      return kAllSolid;
    return kMixed;
  }
  static T IsZero(T v) { return _mm_cmpeq_epi16(v, _mm_setzero_si128()); }
  static T Select(T mask, T a, T b) { return _mm_or_si128(_mm_and_si128(mask, a), _mm_andnot_si128(mask, b)); }
  static void Tail(PX_Pixel32* d, const PX_Pixel32* s, int n, int alpha) {
    for (int i = 0; i < n; ++i) d[i] = PX_CopySourceAlphaOp::blend(d[i], PX_Source::of(s[i]), alpha);
  }
};

#include "raster/OverKernelBody.h"

}  // namespace

extern const PX_OverKernel kSse2Over = {"sse2", &OverRow};
