// The eight carrier wave shapes, four of which split the cycle at the golden
// ratio.
#pragma once

#include <type_traits>

#include "instrument/Phase.h"

enum CarrierWaveKind : int {
  kWaveSine = 0,
  kWaveTriangle = 1,
  kWaveSaw = 2,
  kWaveSquare = 3,
  kWaveGoldenSine = 4,
  kWaveSineHalf = 5,
  kWaveGoldenTriangle = 6,
  kWaveGoldenSquare = 7,
  kNumCarrierWaves = 8,
};

constexpr float kGoldenSplit = 0.618f;
// Phase at which the golden waves turn: 2 pi * 0.618.
constexpr double kGoldenThreshold = 3.8830083370775546;

// Per-wave coefficients of the golden waves; computed when the wave is chosen
// so that the per-sample code needs none of the divisions.
struct GoldenWarp {
  double a = 0.0;
  double b = 0.0;
  double c = 0.0;
};

// The coefficients for wave 4, 5 or 6; false (and warp untouched) for the
// waves that do not read them.
bool GoldenWarpFor(int wave, GoldenWarp* warp);

// One carrier sample at phase (radians, 0 <= phase < 2 pi).
double CarrierSample(int wave, double phase, const GoldenWarp& warp);

// The formula of one wave, with the sine and cosine of Trig (Trig.h,
// FastSine.h). Each turn is a choice between two values, never between two
// calls, so a loop over phases compiles to selects.
template <int Wave, class Trig>
[[gnu::always_inline]] inline double CarrierWaveAt(double phase, const GoldenWarp& w) {
  if constexpr (Wave == kWaveTriangle) {
    const double x = 2.0 * phase / kPi;
    const double falling = 3.0 - x, rising = x - 1.0;
    return phase >= kPi ? falling : rising;
  } else if constexpr (Wave == kWaveSaw) {
    return 1.0 - phase / kPi;
  } else if constexpr (Wave == kWaveSquare) {
    return phase < kPi ? 1.0 : -1.0;
  } else if constexpr (Wave == kWaveGoldenSine || Wave == kWaveSineHalf) {
    // Both stretch the cycle: the first 61.8 % by a, the rest by b and c.
    const double early = phase * w.a, late = phase * w.b + w.c;
    const double theta = phase >= kGoldenThreshold ? late : early;
    if constexpr (Wave == kWaveGoldenSine)
      return Trig::Cos(theta);
    else
      return 2.0 * Trig::Sin(theta) - 1.0;
  } else if constexpr (Wave == kWaveGoldenTriangle) {
    const double falling = w.b - phase * w.c, rising = phase * w.a - 1.0;
    return phase >= kGoldenThreshold ? falling : rising;
  } else if constexpr (Wave == kWaveGoldenSquare) {
    return phase < kGoldenThreshold ? 1.0 : -1.0;
  } else {
    return Trig::Sin(phase);
  }
}

// Calls f with the wave index as a compile-time constant
// (std::integral_constant), so f can use the wave's formula in a loop
// that has no branch on the wave.
template <class F>
inline decltype(auto) WithCarrierWave(int wave, F&& f) {
  switch (wave) {
    case kWaveTriangle:
      return f(std::integral_constant<int, kWaveTriangle>{});
    case kWaveSaw:
      return f(std::integral_constant<int, kWaveSaw>{});
    case kWaveSquare:
      return f(std::integral_constant<int, kWaveSquare>{});
    case kWaveGoldenSine:
      return f(std::integral_constant<int, kWaveGoldenSine>{});
    case kWaveSineHalf:
      return f(std::integral_constant<int, kWaveSineHalf>{});
    case kWaveGoldenTriangle:
      return f(std::integral_constant<int, kWaveGoldenTriangle>{});
    case kWaveGoldenSquare:
      return f(std::integral_constant<int, kWaveGoldenSquare>{});
    default:
      return f(std::integral_constant<int, kWaveSine>{});
  }
}
