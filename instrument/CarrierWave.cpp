#include "instrument/CarrierWave.h"

#include <cmath>

#include "instrument/Phase.h"


bool GoldenWarpFor(int wave, GoldenWarp* warp) {
  const double m = kGoldenSplit;
  switch (wave) {
    case kWaveGoldenSine:
      *warp = {0.5 / m, 0.5 / (1.0 - m), (1.0 - 2.0 * m) * kPi / (1.0 - m)};
      return true;
    case kWaveSineHalf:
      *warp = {0.25 / m, 0.25 / (1.0 - m), (1.0 - 2.0 * m) * kPi / (1.0 - m) * 0.5};
      return true;
    case kWaveGoldenTriangle:
      *warp = {2.0 / kGoldenThreshold, (m + 1.0) / (1.0 - m), (1.0 / kPi) / (1.0 - m)};
      return true;
    default:
      return false;
  }
}

double CarrierSample(int wave, double phase, const GoldenWarp& w) {
  switch (wave) {
    case kWaveTriangle: {
      double x = 2.0 * phase / kPi;
      return phase >= kPi ? 3.0 - x : x - 1.0;
    }
    case kWaveSaw:
      return 1.0 - phase / kPi;
    case kWaveSquare:
      return phase < kPi ? 1.0 : -1.0;
    case kWaveGoldenSine:
      return phase >= kGoldenThreshold ? std::cos(phase * w.b + w.c) : std::cos(phase * w.a);
    case kWaveSineHalf: {
      double theta = phase >= kGoldenThreshold ? phase * w.b + w.c : phase * w.a;
      return 2.0 * std::sin(theta) - 1.0;
    }
    case kWaveGoldenTriangle:
      return phase >= kGoldenThreshold ? w.b - phase * w.c : phase * w.a - 1.0;
    case kWaveGoldenSquare:
      return phase < kGoldenThreshold ? 1.0 : -1.0;
    default:
      return std::sin(phase);
  }
}
