// The "over" row for processors with AVX2: eight pixels per step. Built with
// AVX2 enabled, run only after OverKernel.cpp has checked for it; everything
// here is in an anonymous namespace or an intrinsic, so no function built for
// AVX2 can be the copy the linker keeps for other callers. The last few
// pixels of a row go to the SSE2 row.
#include <immintrin.h>

#include "raster/OverKernel.h"

extern const PX_OverKernel kSse2Over;

namespace {

struct Lanes {
  using T = __m256i;
  static constexpr int kPixels = 8;
  static T Load(const PX_Pixel32* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }
  static void Store(PX_Pixel32* p, T v) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v); }
  // Within each 128-bit half, as the pack below undoes it.
  static T Low(T v) { return _mm256_unpacklo_epi8(v, _mm256_setzero_si256()); }
  static T High(T v) { return _mm256_unpackhi_epi8(v, _mm256_setzero_si256()); }
  static T Pack(T lo, T hi) { return _mm256_packus_epi16(lo, hi); }
  static T Set(short v) { return _mm256_set1_epi16(v); }
  static T Add(T a, T b) { return _mm256_add_epi16(a, b); }
  static T Sub(T a, T b) { return _mm256_sub_epi16(a, b); }
  static T SubSat(T a, T b) { return _mm256_subs_epu16(a, b); }
  static T Mul(T a, T b) { return _mm256_mullo_epi16(a, b); }
  static T Shr8(T a) { return _mm256_srli_epi16(a, 8); }
  static T Min(T a, T b) { return _mm256_min_epi16(a, b); }
  static T BroadcastAlpha(T v) { return _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(v, 0xFF), 0xFF); }
  static T AlphaFrom(T colour, T alpha) { return _mm256_blend_epi16(colour, alpha, 0x88); }
  // kAllClear when every pixel's alpha is 0, kAllSolid when every one's is 255.
  enum { kMixed = 0, kAllClear = 1, kAllSolid = 2 };
  static int AlphaState(T v) {
    const T mask = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
    const T alpha = _mm256_and_si256(v, mask);
    if (_mm256_movemask_epi8(_mm256_cmpeq_epi32(alpha, _mm256_setzero_si256())) == -1) return kAllClear;
    if (_mm256_movemask_epi8(_mm256_cmpeq_epi32(alpha, mask)) == -1) return kAllSolid;
    return kMixed;
  }
  static T IsZero(T v) { return _mm256_cmpeq_epi16(v, _mm256_setzero_si256()); }
  static T Select(T mask, T a, T b) { return _mm256_blendv_epi8(b, a, mask); }
  static void Tail(PX_Pixel32* d, const PX_Pixel32* s, int n, int alpha) { kSse2Over.row(d, s, n, alpha); }
};

#include "raster/OverKernelBody.h"

}  // namespace

extern const PX_OverKernel kAvx2Over = {"avx2", &OverRow};
