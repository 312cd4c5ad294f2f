// The render kernel for processors with AVX2 and FMA: built with those
// instructions enabled, run only after ToneKernel.cpp has checked for them.
#include "instrument/ToneKernelBody.h"

extern const ToneKernel kAvx2ToneKernel = {"avx2", &RenderToneBlock, &FastSines, &FastCosines};
