// The tone generator's render kernels: one per instruction set, each from
// the same source (ToneKernelBody.h), chosen once when the instrument is
// made, by what the processor offers.
#pragma once

#include "instrument/ToneBlock.h"

struct ToneKernel {
  const char* name;
  // Renders the whole block, advancing its voice and LFOs.
  void (*render)(ToneBlock& block);
  // The polynomial sine and cosine over arrays (for measuring the kernel).
  void (*sines)(const double* x, double* y, int n);
  void (*cosines)(const double* x, double* y, int n);
};

// Plain x86-64: SSE2, which every processor of both targets has.
const ToneKernel& Sse2ToneKernel();
// AVX2 with FMA; null when the processor (or its system) cannot run it.
const ToneKernel* Avx2ToneKernel();
// The fastest kernel this processor runs.
const ToneKernel& BestToneKernel();
