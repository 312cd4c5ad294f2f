#include "raster/OverKernel.h"

#include "raster/Combine.h"

// Defined in their own translation units, each built for its instruction
// set; this one is built for plain x86-64 and only looks.
extern const PX_OverKernel kSse2Over;
extern const PX_OverKernel kAvx2Over;

namespace {

void ScalarRow(PX_Pixel32* d, const PX_Pixel32* s, int n, int alpha) {
  for (int i = 0; i < n; ++i) d[i] = PX_CopySourceAlphaOp::blend(d[i], PX_Source::of(s[i]), alpha);
}

const PX_OverKernel kScalarOver = {"scalar", &ScalarRow};

}  // namespace

const PX_OverKernel& PX_ScalarOver() { return kScalarOver; }

const PX_OverKernel& PX_Sse2Over() { return kSse2Over; }

const PX_OverKernel* PX_Avx2Over() {
  static const bool supported = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
  }();
  return supported ? &kAvx2Over : nullptr;
}

const PX_OverKernel& PX_BestOver() {
  static const PX_OverKernel& best = PX_Avx2Over() ? *PX_Avx2Over() : PX_Sse2Over();
  return best;
}
