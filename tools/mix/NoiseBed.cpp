#include "tools/mix/NoiseBed.h"

#include <cmath>

#include "tools/mix/ExactMath.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

uint64_t SplitMix(uint64_t& x) {
  uint64_t z = (x += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

uint64_t Rotl(uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

double PoleAt(double hz, double rate) { return ExactExp(-2.0 * kPi * hz / rate); }

}  // namespace

NoiseBed::NoiseBed(NoiseColour colour, uint64_t seed, double rate) {
  if (colour == NoiseColour::kPink) {
    // Pole and zero pairs from 2 Hz, a pair every factor of 3: each falls
    // 6 dB per octave between its pole and its zero and is flat to the
    // next pole, which averages 3 dB per octave with ripple under 0.02 dB;
    // the last term takes back the rise the mapping leaves near Nyquist.
    for (double hz = 2.0; hz < 0.45 * rate && count < kMaxSections - 1; hz *= 3.0)
      sections[count++] = {-PoleAt(hz * std::sqrt(3.0), rate), PoleAt(hz, rate)};
    sections[count++] = {0.05, 0.0};
  } else if (colour == NoiseColour::kBrown) {
    // A leaky integrator (corner at 2 Hz: no DC build-up, no drift) whose
    // small second tap corrects its slope in the highest octaves.
    sections[count++] = {0.1, PoleAt(2.0, rate)};
  }
  for (int c = 0; c < 2; ++c) {
    uint64_t x = seed * 2 + static_cast<uint64_t>(c);
    for (uint64_t& s : channels[c].state) s = SplitMix(x);
  }
  // The filters' power gain from their impulse response, run until it has
  // died away; the uniform source's RMS is 1/sqrt(3).
  Channel probe;
  double power = 0.0;
  const long length = count == 0 ? 1 : static_cast<long>(rate * 4.0);
  for (long n = 0; n < length; ++n) {
    const double h = Filter(probe, n == 0 ? 1.0 : 0.0);
    power += h * h;
  }
  scale = std::sqrt(3.0 / power);
}

double NoiseBed::Uniform(Channel& c) {
  // xoshiro256**: 53 random bits to [-1, 1).
  uint64_t* s = c.state;
  const uint64_t result = Rotl(s[1] * 5, 7) * 9;
  const uint64_t t = s[1] << 17;
  s[2] ^= s[0];
  s[3] ^= s[1];
  s[1] ^= s[2];
  s[0] ^= s[3];
  s[2] ^= t;
  s[3] = Rotl(s[3], 45);
  return static_cast<double>(result >> 11) * (2.0 / 9007199254740992.0) - 1.0;
}

double NoiseBed::Filter(Channel& c, double x) const {
  for (int k = 0; k < count; ++k) {
    const Section& s = sections[k];
    const double y = x + s.b1 * c.x1[k] + s.a1 * c.y1[k];
    c.x1[k] = x;
    c.y1[k] = y;
    x = y;
  }
  return x;
}

void NoiseBed::Fill(double* const* stereo, int32_t frames) {
  // Both channels in one pass: their filters' chains overlap in time.
  Channel left = channels[0], right = channels[1];
  for (int32_t i = 0; i < frames; ++i) {
    stereo[0][i] = scale * Filter(left, Uniform(left));
    stereo[1][i] = scale * Filter(right, Uniform(right));
  }
  channels[0] = left;
  channels[1] = right;
}
