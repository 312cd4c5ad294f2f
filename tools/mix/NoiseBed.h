// NoiseBed: stereo noise of one colour with independent channels, at unit
// RMS: white is flat, pink falls 3.01 dB and brown 6.02 dB per octave.
// It is made from a seed with integer arithmetic and fixed filters, so the
// same seed gives the same samples on every platform.
#pragma once

#include <cstdint>
#include <vector>

enum class NoiseColour { kWhite, kPink, kBrown };

class NoiseBed {
 public:
  NoiseBed(NoiseColour colour, uint64_t seed, double rate);

  // The next frames samples of each channel, overwriting them.
  void Fill(double* const* stereo, int32_t frames);

 private:
  // One first-order section: y = x + b1 x[-1] + a1 y[-1].
  struct Section {
    double b1 = 0.0, a1 = 0.0;
  };
  static constexpr int kMaxSections = 16;
  struct Channel {
    uint64_t state[4] = {};
    double x1[kMaxSections] = {}, y1[kMaxSections] = {};
  };

  double Uniform(Channel& c);
  double Filter(Channel& c, double x) const;

  Section sections[kMaxSections];
  int count = 0;
  double scale = 1.0;  // to unit RMS
  Channel channels[2];
};
