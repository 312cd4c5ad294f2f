// LayerGain: a layer's place in the mix applied to its block: silent before
// its start, its level (dB) and equal-power balance, and its fades; and the
// whole mix's fades. A layer at 0 dB, centred and unfaded is left as it is.
#pragma once

#include <cstdint>

#include "tools/session/FrameTrack.h"
#include "tools/session/SessionTimeline.h"

// Scales both channels by the fade track's gain; blocks come in order.
void ApplyFade(FrameTrack& fade, int64_t position, int32_t frames, double* const* channels);

class LayerGain {
 public:
  LayerGain(const LayerTimeline& layer, double rate);

  int64_t StartFrame() const { return start; }
  // Blocks come in order.
  void Apply(int64_t position, int32_t frames, double* const* channels);

 private:
  void Sides(int64_t frame, double* left, double* right);

  int64_t start;
  FrameTrack level, balance, fade;
};
