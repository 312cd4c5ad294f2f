// The eight carrier wave shapes, four of which split the cycle at the golden
// ratio.
#pragma once

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
