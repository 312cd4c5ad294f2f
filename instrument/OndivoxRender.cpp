// CLS_ONDIVOX: the tone generator, one block at a time.
#include <algorithm>
#include <cmath>

#include "instrument/Ondivox.h"
#include "instrument/Phase.h"

namespace {

using Guard = std::lock_guard<std::recursive_mutex>;

// The golden pulse sounds for the first 38.2 % of the cycle (2 pi * 0.382);
// the scale stretches a half sine over exactly that span.
constexpr double kGoldenPulseLength = 2.4001769701020317;
constexpr double kGoldenPulseScale = 1.3089004238950945;
constexpr double kTiny = 1e-24;
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
  double carrierStep = 0.0, pulseStep = 0.0;
  if (std::fabs(carrierInc - carrierIncTarget) > kTiny || std::fabs(pulseInc - pulseIncTarget) > kTiny) {
    const double glide = std::max<double>(n, glideLength);
    if (!AnyLfoTargets(kTargetBaseFreq)) carrierStep = (carrierIncTarget - carrierInc) / glide;
    if (!AnyLfoTargets(kTargetIsoRate)) pulseStep = (pulseIncTarget - pulseInc) / glide;
  }
  const float panStep = AnyLfoTargets(kTargetPan) ? 0.0f : (panTarget - pan) / n;
  // An LFO on "Volume" owns the level while the transport rolls; once it
  // stops, the level fades out like any other, so nothing sounds on.
  const bool lfoOwnsGain = AnyLfoTargets(kTargetVolume) && gainTarget != 0.0f;
  const float gainStep = lfoOwnsGain ? 0.0f : (gainTarget - gain) / n;

  double* outL = outputs[0];
  double* outR = outputs[1];
  const double* inL = mixInput && inputs ? inputs[0] : nullptr;
  const double* inR = mixInput && inputs ? inputs[1] : nullptr;

  for (int32_t i = 0; i < n; ++i) {
    const double dryL = inL ? inL[i] : 0.0;
    const double dryR = inR ? inR[i] : 0.0;
    if (gainTarget <= kTiny && gain <= kTiny) {
      outL[i] = dryL;
      outR[i] = dryR;
      continue;
    }
    if (lfo[0].active) AdvanceLfo(0, gainTarget);
    if (lfo[1].active) AdvanceLfo(1, gainTarget);
    pulseInc += pulseStep;
    pan += panStep;
    gain += gainStep;
    carrierInc += carrierStep;

    const double s = CarrierSample(wave, carrierPhase, warp);
    double g = 1.0;
    if (pulsing) {
      if (!goldenPulse)
        g = pulsePhase < kPi ? round * std::sin(pulsePhase) + (1.0f - round) : -1.0;
      else
        g = pulsePhase < kGoldenPulseLength ? round * std::sin(pulsePhase * kGoldenPulseScale) + (1.0f - round)
                                            : -1.0;
      pulsePhase = WrapPhase(pulsePhase + pulseInc);
    }
    if (g > kTiny) {
      const double v = s * g;
      outL[i] = (1.0 - pan) * v * gain + dryL;
      outR[i] = (pan + 1.0) * v * gain + dryR;
      carrierPhase = WrapPhase(carrierPhase + carrierInc);
    } else {
      // Between pulses: silence, and the next pulse starts the carrier at 0.
      outL[i] = dryL;
      outR[i] = dryR;
      carrierPhase = 0.0;
    }
  }
  // The ramp lands exactly on its target, so a stopped transport reaches
  // silence (and freezes the oscillators) after one block, not after float
  // rounding has slowly worn the last step away.
  if (!lfoOwnsGain) gain = gainTarget;
}
