// Reading the engine's output back as numbers a listener would care about.
#pragma once

#include <cmath>
#include <vector>

#include "EngineHost.h"

constexpr double kTestPi = 3.14159265358979323846;
constexpr double kTestRate = 48000.0;
// "Volume" 100 %: the level of an unpanned full-scale carrier.
constexpr float kFullGain = 0.999f;

// A steady unpulsed carrier at "Volume" 100 %, centred, with a glide short
// enough to settle inside the first block; one block already rendered.
inline void StartPlainTone(EngineHost& h, int wave, double hz) {
  h.Start();
  h.Set(kIsoOn, 0);
  h.Set(kVolume, 100);
  h.Set(kFade, 1);
  h.Set(kWave, wave);
  h.SetExact(kBaseFreq, hz);
  h.Render(4800);
}

// Forces the phase lock: the host was away for more than half a second and
// comes back at song position `position`.
inline Stereo RenderAfterPause(EngineHost& h, int32_t frames, int64_t position, uint32_t gapMs = 600) {
  h.clock.ms += gapMs;
  h.position = position;
  return h.Render(frames);
}

// The carrier frequency at each sample of a "Saw" carrier (whose value
// tells its phase) at a known steady level: sample i advanced the phase by
// the i-th result.
inline std::vector<double> SawFrequencies(const std::vector<double>& out, double level) {
  std::vector<double> hz;
  for (std::size_t i = 0; i + 1 < out.size(); ++i) {
    double a = kTestPi * (1.0 - out[i] / level);
    double b = kTestPi * (1.0 - out[i + 1] / level);
    double d = b - a;
    if (d < 0.0) d += 2.0 * kTestPi;
    hz.push_back(d * kTestRate / (2.0 * kTestPi));
  }
  return hz;
}
