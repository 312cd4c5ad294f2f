#include "bench/audio/LimitLoops.h"

#include <cmath>

#include "instrument/CarrierWave.h"
#include "instrument/ToneBlock.h"

void LimitLoop::RunLibm(const double* inL, const double* inR, double* outL, double* outR, int n) {
  GoldenWarp warp;
  GoldenWarpFor(kWaveGoldenSine, &warp);
  LimitPhases& p = phases_;
  for (int i = 0; i < n; ++i) {
    float pan = 0.0f, gain = kLimitSteadyGain;
    if (shape_.lfos) {
      pan = LimitPan(std::sin(p.lfo1));
      gain = LimitGain(std::sin(p.lfo2));
      p.lfo1 = WrapPhase(p.lfo1 + kLimitLfo1Inc);
      p.lfo2 = WrapPhase(p.lfo2 + kLimitLfo2Inc);
    }
    double g = 1.0;
    if (shape_.pulsed) {
      g = LimitGate(p.pulse, std::sin(p.pulse));
      p.pulse = WrapPhase(p.pulse + kLimitPulseInc);
    }
    const double s = shape_.goldenSine ? std::cos(p.carrier >= kGoldenThreshold ? p.carrier * warp.b + warp.c
                                                                                 : p.carrier * warp.a)
                                       : std::sin(p.carrier);
    outL[i] = ToneSample(s, g, LeftSide(pan), gain, inL[i]);
    outR[i] = ToneSample(s, g, RightSide(pan), gain, inR[i]);
    p.carrier = NextCarrierPhase(p.carrier, kLimitCarrierInc, g);
  }
}

void LimitLoop::RunKernel(const ToneKernel& kernel, const double* inL, const double* inR, double* outL,
                          double* outR, int n) {
  // The AVX2 kernel's loop is built for AVX2 too; it is only handed over
  // where that kernel was found usable.
  if (&kernel == Avx2ToneKernel())
    RunLimitPiecesAvx2(phases_, shape_, kernel, inL, inR, outL, outR, n);
  else
    RunLimitPiecesSse2(phases_, shape_, kernel, inL, inR, outL, outR, n);
}
