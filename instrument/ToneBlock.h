// One block of the tone generator as a render kernel sees it: the values it
// advances, the values fixed for the block, the LFOs and the channels; and
// the per-frame steps every kernel takes the same way.
//
// The helpers are always inlined, like WrapPhase (Phase.h): the kernels are
// compiled once per instruction set and must not share out-of-line copies.
#pragma once

#include <cstdint>

#include "instrument/CarrierWave.h"
#include "instrument/Lfo.h"
#include "instrument/Phase.h"

// A gate or a level at or below this counts as silence.
constexpr double kToneTiny = 1e-24;
// The golden pulse sounds for the first 38.2 % of the cycle (2 pi * 0.382);
// the scale stretches a half sine over exactly that span.
constexpr double kGoldenPulseLength = 2.4001769701020317;
constexpr double kGoldenPulseScale = 1.3089004238950945;

// The values that move from frame to frame.
struct ToneVoice {
  double carrierPhase = 0.0;
  double pulsePhase = 0.0;
  double carrierInc = 0.0;
  double pulseInc = 0.0;
  float pan = 0.0f;
  float gain = 0.0f;
  float round = 0.0f;
};

// What each sounding frame adds to the voice: the glides and the ramps.
struct ToneRamps {
  double carrierStep = 0.0;
  double pulseStep = 0.0;
  float panStep = 0.0f;
  float gainStep = 0.0f;
};

struct ToneBlock {
  ToneVoice voice;
  ToneRamps ramps;
  Lfo* lfo[2] = {};  // each advances (phase, square state) while active
  float gainTarget = 0.0f;
  int wave = kWaveSine;
  GoldenWarp warp;
  bool pulsing = false;
  bool goldenPulse = false;
  const double* inL = nullptr;  // null: the tone is not mixed into an input
  const double* inR = nullptr;
  double* outL = nullptr;
  double* outR = nullptr;
  int32_t frames = 0;
  // Each LFO's last output, once it published one this block.
  float lfoValue[2] = {};
  bool lfoValueSet[2] = {};
};

// The transport stopped and the level has faded out: the input passes and
// nothing advances, for the rest of the block.
[[gnu::always_inline]] inline bool ToneSilent(float gainTarget, const ToneVoice& v) {
  return gainTarget <= kToneTiny && v.gain <= kToneTiny;
}

// An LFO's output for its wave value w.
[[gnu::always_inline]] inline double LfoValue(const Lfo& l, double w) { return l.amplitude * w + l.centre; }

// Whether an LFO on target writes its output (and shows it): a stopped
// transport keeps an LFO off the level.
[[gnu::always_inline]] inline bool LfoWrites(int target, float gainTarget) {
  return target != kTargetVolume || gainTarget != 0.0f;
}

// Writes an LFO's output to the value its target drives.
[[gnu::always_inline]] inline void DriveLfoTarget(ToneVoice& v, int target, double value, float gainTarget) {
  if (!LfoWrites(target, gainTarget)) return;
  switch (target) {
    case kTargetBaseFreq:
      v.carrierInc = value;
      break;
    case kTargetIsoRate:
      v.pulseInc = value;
      break;
    case kTargetRound:
      v.round = static_cast<float>(value);
      break;
    case kTargetPan:
      v.pan = static_cast<float>(value);
      break;
    case kTargetVolume:
      v.gain = static_cast<float>(value);
      break;
  }
}

[[gnu::always_inline]] inline void StepRamps(ToneVoice& v, const ToneRamps& r) {
  v.pulseInc += r.pulseStep;
  v.pan += r.panStep;
  v.gain += r.gainStep;
  v.carrierInc += r.carrierStep;
}

// The pulse gate at pulse phase psi (pulsing on): a blend of a half sine and
// a flat top by round over the sounding part, -1 in the silent part.
// Both values are computed, then one chosen, so a loop over frames has no
// branch.
template <class Trig>
[[gnu::always_inline]] inline double PulseGate(double psi, float round, bool golden) {
  const double length = golden ? kGoldenPulseLength : kPi;
  const double scale = golden ? kGoldenPulseScale : 1.0;  // psi * 1.0 is psi exactly
  const double sounding = round * Trig::Sin(psi * scale) + (1.0f - round);
  return psi < length ? sounding : -1.0;
}

// The carrier phase after a frame with gate g: it runs on while the gate is
// open, and each pulse starts it at 0.
[[gnu::always_inline]] inline double NextCarrierPhase(double phase, double inc, double g) {
  return g > kToneTiny ? WrapPhase(phase + inc) : 0.0;
}

// One output sample of carrier s through gate g, on the side given by
// (1 - pan) for the left or (pan + 1) for the right: the linear pan law.
[[gnu::always_inline]] inline double ToneSample(double s, double g, double side, float gain, double dry) {
  const double sounding = side * (s * g) * gain + dry;
  return g > kToneTiny ? sounding : dry;
}
[[gnu::always_inline]] inline double LeftSide(float pan) { return 1.0 - pan; }
[[gnu::always_inline]] inline double RightSide(float pan) { return pan + 1.0; }
