// One low-frequency oscillator: its settings, phase and mapped output range.
#pragma once

#include <type_traits>

#include "instrument/Phase.h"

enum LfoWaveKind : int {
  kLfoSine = 0,
  kLfoTriangle = 1,
  kLfoSaw = 2,
  kLfoSawFlip = 3,
  kLfoSquare = 4,
  kLfoSineHalf = 5,
  kLfoHalfFlip = 6,
  kNumLfoWaves = 7,
};

// What an LFO drives, as its target list orders them.
enum LfoTargetKind : int {
  kTargetNone = 0,
  kTargetBaseFreq = 1,
  kTargetIsoRate = 2,
  kTargetRound = 3,
  kTargetPan = 4,
  kTargetVolume = 5,
  kNumLfoTargets = 6,
};

// The formula of one wave without state (every wave but "Square"), with the
// sine of Trig (Trig.h, FastSine.h); turns are selects, as for the carrier.
template <int Wave, class Trig>
[[gnu::always_inline]] inline double LfoWaveAt(double th) {
  constexpr double kThird = 0.3333333333333333;
  static_assert(Wave != kLfoSquare, "the square keeps state: SquareLfoStep");
  if constexpr (Wave == kLfoTriangle) {
    const double y = 2.0 * th / kPi;
    const double falling = 3.0 - y, rising = y - 1.0;
    return th >= kPi ? falling : rising;
  } else if constexpr (Wave == kLfoSaw) {
    const double y = 4.0 * th / kPi;
    const double falling = 1.6666666666666667 - y * kThird, rising = y - 1.0;
    return th >= kPi * 0.5 ? falling : rising;
  } else if constexpr (Wave == kLfoSawFlip) {
    const double y = 4.0 * th / kPi;
    const double falling = 7.0 - y, rising = y * kThird - 1.0;
    return th >= kPi * 1.5 ? falling : rising;
  } else if constexpr (Wave == kLfoSineHalf) {
    return 2.0 * Trig::Sin(th * 0.5) - 1.0;
  } else if constexpr (Wave == kLfoHalfFlip) {
    return 2.0 * Trig::Sin(th * 0.5 + kPi) + 1.0;
  } else {
    return Trig::Sin(th);
  }
}

// "Square": a one-pole smoothing of the square wave, a time constant of
// about 100 samples; state is the previous output.
[[gnu::always_inline]] inline double SquareLfoStep(double th, double* state) {
  constexpr float kNew = 0x1.47aep-7f;   // bits 0x3C23D700
  constexpr float kOld = 0x1.fae148p-1f; // bits 0x3F7D70A4
  const double s = th < kPi ? 1.0 : -1.0;
  *state = kNew * s + kOld * *state;
  return *state;
}

// Calls f with a stateless wave's index as a compile-time constant
// (std::integral_constant); answers false, calling nothing, for "Square".
template <class F>
inline bool WithStatelessLfoWave(int wave, F&& f) {
  switch (wave) {
    case kLfoTriangle:
      f(std::integral_constant<int, kLfoTriangle>{});
      return true;
    case kLfoSaw:
      f(std::integral_constant<int, kLfoSaw>{});
      return true;
    case kLfoSawFlip:
      f(std::integral_constant<int, kLfoSawFlip>{});
      return true;
    case kLfoSquare:
      return false;
    case kLfoSineHalf:
      f(std::integral_constant<int, kLfoSineHalf>{});
      return true;
    case kLfoHalfFlip:
      f(std::integral_constant<int, kLfoHalfFlip>{});
      return true;
    default:
      f(std::integral_constant<int, kLfoSine>{});
      return true;
  }
}

// Bounds of a target's range and the values the LFO swings between.
struct LfoRange {
  float lo = 0.0f;
  float hi = 0.0f;
  float amplitude = 0.0f;
};

struct Lfo {
  short target = kTargetNone;
  short drivenParam = 0;  // parameter index the target stands for; -1 for none
  short wave = kLfoSine;
  bool synced = true;
  bool active = false;
  double increment = 0.0;  // radians per sample
  double phase = 0.0;      // radians, 0 <= phase < 2 pi
  double squareState = 0.0;
  float centre = 0.0f;
  float amplitude = 0.0f;
  float depth = 0.0f;  // 0 .. 1
  float start = 0.0f;  // 0 .. 1 of a cycle

  // The wave's output at the current phase (-1 .. 1), then one step on.
  double Step();
  // Back to the start phase, offset per wave so each begins where its shape
  // reads naturally.
  void ResetPhase();
  // Fits centre and amplitude inside range around base.
  void Map(const LfoRange& range, float base);
};

// The range of a target at the given sample rate; false when the target
// has none (no assignment) or needs a sample rate that is not known yet.
bool LfoRangeFor(int target, float depth, double sampleRate, LfoRange* range);
