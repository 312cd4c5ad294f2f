// The limit loop built as the AVX2 render kernel is.
#include "bench/audio/LimitLoopBody.h"

void RunLimitPiecesAvx2(LimitPhases& p, const LimitShape& shape, const ToneKernel& kernel, const double* inL,
                        const double* inR, double* outL, double* outR, int n) {
  RunLimitPieces(p, shape, kernel, inL, inR, outL, outR, n);
}
