// CLS_ONDIVOX: the tone generator, one block at a time.
#include <algorithm>
#include <cmath>

#include "instrument/Ondivox.h"
#include "instrument/Phase.h"
#include "instrument/ToneKernel.h"

namespace {

using Guard = std::lock_guard<std::recursive_mutex>;

// Blocks further apart than this mean the host paused or jumped.
constexpr uint32_t kPauseMs = 500;

// Phase of an oscillator that has run at inc since song position 0. A
// negative position (a pre-roll) still lands in [0, 2 pi).
double PhaseAtPosition(double position, double inc) {
  double f = std::fmod(position * inc / kTwoPi, 1.0);
  if (f < 0.0) f += 1.0;
  return f * kTwoPi >= kTwoPi ? 0.0 : f * kTwoPi;
}

}  // namespace

void CLS_ONDIVOX::ResetState() {
  Guard g(lock);
  if (!started) return;
  if (SampleRate() != cachedSampleRate) {
    cachedSampleRate = SampleRate();
    // Everything computed against the sample rate. The note rates are in
    // the list for a host without tempo, whose assumed tempo depends on it.
    for (int k : {kBaseFreq, kIsoRate, kFade, kLfo1RateMs, kLfo2RateMs, kLfo1RateNote, kLfo2RateNote}) Reapply(k);
  }
  // Playback starts at the set pitch, pulse rate and pan: a glide from the
  // construction values (0 Hz) would sweep up over the whole "Fade" time.
  // Glides are for changes made while playing.
  carrierInc = carrierIncTarget;
  pulseInc = pulseIncTarget;
  pan = panTarget;
  lfo[0].ResetPhase();
  lfo[1].ResetPhase();
  resync = true;
}

void CLS_ONDIVOX::RenderBlock(double** inputs, double** outputs, int32_t frames) {
  const double wholeNote = 4.0 * SamplesPerBeat();
  if (!started) {
    started = true;
    ResetState();
  }
  if (wholeNote != samplesPerWholeNote) {
    samplesPerWholeNote = wholeNote;
    if (wholeNote > 0.0) lastTempoWholeNote = wholeNote;
    Reapply(kLfo1RateNote);
    Reapply(kLfo2RateNote);
  }
  const int32_t transport = TransportState();
  const bool rolling = playAnyway || transport == kTransportPlaying || transport == kTransportRecording;
  const float gainTarget = rolling ? volumeGain : 0.0f;

  PhaseLock();
  if (frames > 0 && outputs && outputs[0] && outputs[1]) RenderFrames(inputs, outputs, frames, gainTarget);
  lastClock = wallClock->Milliseconds();
  pan = panTarget;
}

// After a reset or a pause the oscillators take the phase they would have
// had running since the start of the song, so a render lines up with the
// same passage played before.
void CLS_ONDIVOX::PhaseLock() {
  const uint32_t now = wallClock->Milliseconds();
  if (!resync && static_cast<uint32_t>(now - lastClock) <= kPauseMs) return;
  const double position = static_cast<double>(SamplePosition());
  carrierPhase = PhaseAtPosition(position, carrierIncTarget);
  pulsePhase = PhaseAtPosition(position, pulseIncTarget);
  resync = false;
}

void CLS_ONDIVOX::RenderFrames(double** inputs, double** outputs, int32_t n, float gainTarget) {
  ToneBlock b;
  b.voice = {carrierPhase, pulsePhase, carrierInc, pulseInc, pan, gain, round};
  if (std::fabs(carrierInc - carrierIncTarget) > kToneTiny || std::fabs(pulseInc - pulseIncTarget) > kToneTiny) {
    const double glide = std::max<double>(n, glideLength);
    if (!AnyLfoTargets(kTargetBaseFreq)) b.ramps.carrierStep = (carrierIncTarget - carrierInc) / glide;
    if (!AnyLfoTargets(kTargetIsoRate)) b.ramps.pulseStep = (pulseIncTarget - pulseInc) / glide;
  }
  b.ramps.panStep = AnyLfoTargets(kTargetPan) ? 0.0f : (panTarget - pan) / n;
  // An LFO on "Volume" owns the level while the transport rolls; once it
  // stops, the level fades out like any other, so nothing sounds on.
  const bool lfoOwnsGain = AnyLfoTargets(kTargetVolume) && gainTarget != 0.0f;
  b.ramps.gainStep = lfoOwnsGain ? 0.0f : (gainTarget - gain) / n;
  b.lfo[0] = &lfo[0];
  b.lfo[1] = &lfo[1];
  b.gainTarget = gainTarget;
  b.wave = wave;
  b.warp = warp;
  b.pulsing = pulsing;
  b.goldenPulse = goldenPulse;
  b.inL = mixInput && inputs ? inputs[0] : nullptr;
  b.inR = mixInput && inputs ? inputs[1] : nullptr;
  b.outL = outputs[0];
  b.outR = outputs[1];
  b.frames = n;

  toneKernel->render(b);

  carrierPhase = b.voice.carrierPhase;
  pulsePhase = b.voice.pulsePhase;
  carrierInc = b.voice.carrierInc;
  pulseInc = b.voice.pulseInc;
  pan = b.voice.pan;
  gain = b.voice.gain;
  round = b.voice.round;
  for (int j = 0; j < 2; ++j)
    if (b.lfoValueSet[j]) lfoDisplay[j].SetValue(b.lfoValue[j]);
  // The ramp lands exactly on its target, so a stopped transport reaches
  // silence (and freezes the oscillators) after one block, not after float
  // rounding has slowly worn the last step away.
  if (!lfoOwnsGain) gain = gainTarget;
}
