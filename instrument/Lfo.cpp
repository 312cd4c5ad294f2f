#include "instrument/Lfo.h"

#include <algorithm>
#include <cmath>

#include "instrument/FloatBits.h"
#include "instrument/Trig.h"

namespace {

// Volume range: the gain of "Volume" 0 % up to that of 100 %.
const float kVolumeLo = FloatFromBits(0x3B3ABEF7);
const float kVolumeSpan = FloatFromBits(0x3F7F03B8);
const float kVolumeHi = FloatFromBits(0x3F7FBE77);

}  // namespace

double Lfo::Step() {
  double w = 0.0;
  if (!WithStatelessLfoWave(wave, [&](auto kind) { w = LfoWaveAt<decltype(kind)::value, LibmTrig>(phase); }))
    w = SquareLfoStep(phase, &squareState);
  phase = WrapPhase(phase + increment);
  return w;
}

void Lfo::ResetPhase() {
  phase = start * 2.0 * kPi;
  if (wave == kLfoSineHalf)
    phase += 4.71238898038469;
  else if (wave != kLfoSine && wave != kLfoSawFlip)
    phase += 1.5707963267948966;
  if (phase >= kTwoPi) phase -= kTwoPi;
}

void Lfo::Map(const LfoRange& range, float base) {
  amplitude = range.amplitude;
  centre = std::max(range.lo + amplitude, std::min(base, range.hi - amplitude));
}

bool LfoRangeFor(int target, float depth, double sampleRate, LfoRange* r) {
  switch (target) {
    case kTargetBaseFreq:
    case kTargetIsoRate:
      // Increment bounds divide by the sample rate: wait for a real one.
      if (!(sampleRate > 0.0)) return false;
      if (target == kTargetBaseFreq) {
        r->lo = static_cast<float>(125.66370614359172 / sampleRate);
        r->hi = static_cast<float>(125663.70614359173 / sampleRate);
      } else {
        r->lo = static_cast<float>(0.06283185307179587 / sampleRate);
        r->hi = static_cast<float>(3216.990877275948 / sampleRate);
      }
      r->amplitude = (r->hi - r->lo) * depth * 0.5f;
      return true;
    case kTargetRound:
      *r = {0.0f, 1.0f, depth * 0.5f};
      return true;
    case kTargetPan:
      *r = {-1.0f, 1.0f, depth};
      return true;
    case kTargetVolume:
      *r = {kVolumeLo, kVolumeHi, depth * kVolumeSpan * 0.5f};
      return true;
    default:
      return false;
  }
}
