#include "tools/session/LayerGain.h"

#include <algorithm>
#include <cmath>

#include "tools/mix/ExactMath.h"

namespace {

constexpr double kQuarterPi = 0.78539816339744830962;
constexpr double kSqrt2 = 1.41421356237309504880;

}  // namespace

void ApplyFade(FrameTrack& fade, int64_t position, int32_t frames, double* const* channels) {
  const double start = fade.ValueAt(position);
  const bool steady = fade.SteadyOver(position, frames);
  if (steady && start == 1.0) return;
  for (int32_t i = 0; i < frames; ++i) {
    const double g = steady ? start : fade.ValueAt(position + i);
    channels[0][i] *= g;
    channels[1][i] *= g;
  }
}

LayerGain::LayerGain(const LayerTimeline& layer, double rate)
    : start(std::llround(layer.start * rate)),
      level(layer.level, rate),
      balance(layer.balance, rate),
      fade(layer.fade, rate) {}

// Equal power: at the centre both sides are whole, at either end one side
// carries both at +3 dB.
void LayerGain::Sides(int64_t frame, double* left, double* right) {
  const double gain = DecibelsToGain(level.ValueAt(frame));
  const double b = balance.ValueAt(frame);
  if (b == 0.0) {
    *left = *right = gain;
    return;
  }
  const double angle = (b + 100.0) / 200.0 * 2.0 * kQuarterPi;
  *left = gain * kSqrt2 * ExactCos(angle);
  *right = gain * kSqrt2 * ExactSin(angle);
}

void LayerGain::Apply(int64_t position, int32_t frames, double* const* channels) {
  const int32_t silent = static_cast<int32_t>(std::clamp<int64_t>(start - position, 0, frames));
  for (int c = 0; c < 2; ++c) std::fill(channels[c], channels[c] + silent, 0.0);
  // Level and balance are met at each block's ends and followed in a
  // straight line between: a block is a few milliseconds.
  double l0 = 0, r0 = 0, l1 = 0, r1 = 0;
  Sides(position, &l0, &r0);
  const bool steady = level.SteadyOver(position, frames) && balance.SteadyOver(position, frames);
  Sides(position + frames, &l1, &r1);
  if (!(steady && l0 == 1.0 && r0 == 1.0))
    for (int32_t i = silent; i < frames; ++i) {
      const double at = static_cast<double>(i) / frames;
      channels[0][i] *= l0 + (l1 - l0) * at;
      channels[1][i] *= r0 + (r1 - r0) * at;
    }
  ApplyFade(fade, position, frames, channels);
}
