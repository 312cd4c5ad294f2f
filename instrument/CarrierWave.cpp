#include "instrument/CarrierWave.h"

#include "instrument/Trig.h"

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
  return WithCarrierWave(wave, [&](auto kind) { return CarrierWaveAt<decltype(kind)::value, LibmTrig>(phase, w); });
}
