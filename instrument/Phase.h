// Phase bookkeeping shared by the carrier, the pulse and the LFOs.
#pragma once

#include <cmath>

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 6.283185307179586;

// Always inlined, like every helper the render kernels call: the kernels are
// compiled once per instruction set, and an out-of-line copy the linker
// shared between them could run AVX2 code on a processor without it.
//
// Brings a phase that has just been advanced back under 2 pi. One step of at
// most 2 pi is the normal case; an increment above 2 pi (a carrier far above
// the sample rate's Nyquist limit) would otherwise let the phase grow without
// bound, so that case folds fully.
[[gnu::always_inline]] inline double WrapPhase(double phase) {
  if (phase >= kTwoPi) {
    phase -= kTwoPi;
    if (phase >= kTwoPi) phase = std::fmod(phase, kTwoPi);
  }
  return phase;
}
