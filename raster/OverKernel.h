// The "over" kernels: a row of source pixels laid over a row of destination
// pixels by the copy kind weighted by source alpha (PX_CopySourceAlphaOp),
// the compositing every artwork draw of the editor spends its time in.
//
// One definition per instruction set, chosen at run time: SSE2 (every x86-64
// processor) and AVX2 where the processor has it. Each gives exactly the
// scalar definition's pixels.
#pragma once

#include "raster/Pixel.h"

struct PX_OverKernel {
  const char* name;
  // d[i] = over(d[i], s[i]) for n pixels at weight alpha (1/256 units, at
  // least 1; 256 and above is full strength).
  void (*row)(PX_Pixel32* d, const PX_Pixel32* s, int n, int alpha);
};

// The definition, pixel by pixel.
const PX_OverKernel& PX_ScalarOver();
const PX_OverKernel& PX_Sse2Over();
// Null when the processor lacks AVX2.
const PX_OverKernel* PX_Avx2Over();
// AVX2 where available, else SSE2.
const PX_OverKernel& PX_BestOver();
