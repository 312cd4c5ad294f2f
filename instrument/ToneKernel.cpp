#include "instrument/ToneKernel.h"

// Defined in their own translation units, each built for its instruction
// set; this one is built for plain x86-64 and only looks.
extern const ToneKernel kSse2ToneKernel;
extern const ToneKernel kAvx2ToneKernel;

const ToneKernel& Sse2ToneKernel() { return kSse2ToneKernel; }

const ToneKernel* Avx2ToneKernel() {
  // The check includes the system's saving of the wide registers.
  static const bool supported = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
  }();
  return supported ? &kAvx2ToneKernel : nullptr;
}

const ToneKernel& BestToneKernel() {
  const ToneKernel* avx2 = Avx2ToneKernel();
  return avx2 ? *avx2 : Sse2ToneKernel();
}
