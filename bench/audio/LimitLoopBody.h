// The kernel-driven limit loop, included once per instruction set
// (LimitLoopSse2.cpp, LimitLoopAvx2.cpp) and built with the flags of the
// render kernel of that set, so the glue around the vector sines is compiled
// as the engine's own is. Everything is internal to the including file.
#pragma once

#include "bench/audio/LimitLoops.h"
#include "instrument/CarrierWave.h"
#include "instrument/Phase.h"
#include "instrument/ToneBlock.h"

namespace {

constexpr int kPiece = 128;

[[gnu::always_inline]] inline double Warped(double phi, const GoldenWarp& w) {
  return phi >= kGoldenThreshold ? phi * w.b + w.c : phi * w.a;
}

void RunLimitPieces(LimitPhases& p, const LimitShape& shape, const ToneKernel& kernel, const double* inL,
                    const double* inR, double* outL, double* outR, int n) {
  GoldenWarp warp;
  GoldenWarpFor(kWaveGoldenSine, &warp);
  double lfo1[kPiece], lfo2[kPiece], w1[kPiece], w2[kPiece], pulse[kPiece], gate[kPiece];
  double carrier[kPiece], arg[kPiece], s[kPiece];
  float pan[kPiece], gain[kPiece];
  for (int offset = 0; offset < n; offset += kPiece) {
    const int count = n - offset < kPiece ? n - offset : kPiece;
    if (shape.pulsed) {
      for (int i = 0; i < count; ++i) {
        pulse[i] = p.pulse;
        p.pulse = WrapPhase(p.pulse + kLimitPulseInc);
      }
    }
    if (shape.lfos) {
      for (int i = 0; i < count; ++i) {
        lfo1[i] = p.lfo1;
        lfo2[i] = p.lfo2;
        p.lfo1 = WrapPhase(p.lfo1 + kLimitLfo1Inc);
        p.lfo2 = WrapPhase(p.lfo2 + kLimitLfo2Inc);
      }
      kernel.sines(lfo1, w1, count);
      kernel.sines(lfo2, w2, count);
      for (int i = 0; i < count; ++i) {
        pan[i] = LimitPan(w1[i]);
        gain[i] = LimitGain(w2[i]);
      }
    } else {
      for (int i = 0; i < count; ++i) {
        pan[i] = 0.0f;
        gain[i] = kLimitSteadyGain;
      }
    }
    if (shape.pulsed) {
      kernel.sines(pulse, s, count);
      for (int i = 0; i < count; ++i) gate[i] = LimitGate(pulse[i], s[i]);
      for (int i = 0; i < count; ++i) {
        carrier[i] = p.carrier;
        p.carrier = NextCarrierPhase(p.carrier, kLimitCarrierInc, gate[i]);
      }
    } else {
      for (int i = 0; i < count; ++i) {
        gate[i] = 1.0;
        carrier[i] = p.carrier;
        p.carrier = WrapPhase(p.carrier + kLimitCarrierInc);
      }
    }
    if (shape.goldenSine) {
      for (int i = 0; i < count; ++i) arg[i] = Warped(carrier[i], warp);
      kernel.cosines(arg, s, count);
    } else {
      kernel.sines(carrier, s, count);
    }
    for (int i = 0; i < count; ++i) {
      outL[offset + i] = ToneSample(s[i], gate[i], LeftSide(pan[i]), gain[i], inL[offset + i]);
      outR[offset + i] = ToneSample(s[i], gate[i], RightSide(pan[i]), gain[i], inR[offset + i]);
    }
  }
}

}  // namespace
