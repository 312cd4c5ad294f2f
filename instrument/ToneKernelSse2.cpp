// The render kernel for plain x86-64 (SSE2).
#include "instrument/ToneKernelBody.h"

extern const ToneKernel kSse2ToneKernel = {"sse2", &RenderToneBlock, &FastSines, &FastCosines};
