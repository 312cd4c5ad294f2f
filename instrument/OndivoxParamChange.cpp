// CLS_ONDIVOX: turning parameter values into what the generator and the
// LFOs read per sample.
#include <cmath>

#include "editor/Editor.h"
#include "instrument/Ondivox.h"
#include "instrument/Phase.h"
#include "instrument/Quantize.h"
#include "instrument/RateNotes.h"

namespace {

using Guard = std::lock_guard<std::recursive_mutex>;

// 2 pi * 1000: milliseconds per period to radians per second.
constexpr double kTwoPiMs = 6283.185307179586;

int Clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

}  // namespace

void CLS_ONDIVOX::Reapply(int index) {
  applied[index] = kNotApplied;
  ParamChanged(index);
}

void CLS_ONDIVOX::ParamChanged(int32_t k) {
  Guard g(lock);
  if (k < 0 || k >= kNumParams) return;
  const int a = QuantizeParam(k, params[k].value);
  if (a == applied[k]) return;
  applied[k] = a;
  ApplyParam(k, a);

  for (int j = 0; j < 2; ++j) {
    if (lfo[j].active && (k == LfoParamIndex(j, kLfoTarget) || k == LfoParamIndex(j, kLfoDepth) ||
                          k == lfo[j].drivenParam))
      UpdateLfoMapping(j);
  }
  rateClicked = false;
  RecordApplied(k);
}

void CLS_ONDIVOX::RecordApplied(int k) {
  if (isReady || seen[k]) return;
  seen[k] = true;
  if (++seenCount == kNumParams) isReady = true;
}

void CLS_ONDIVOX::ApplyParam(int k, int a) {
  const float p = a * 0.01f;
  const double sr = cachedSampleRate;
  switch (k) {
    case kBaseFreq:
      if (sr > 0.0) carrierIncTarget = double(float(a)) * kTwoPi * 0.1 / sr;
      break;
    case kIsoRate:
      if (sr > 0.0) pulseIncTarget = double(float(a)) * kTwoPi * 0.01 / sr;
      pulseRateDisplay.Set(p);
      break;
    case kRound:
      round = p;
      break;
    case kWave:
      wave = Clamp(a, 0, kNumCarrierWaves - 1);
      // The other waves do not read the coefficients; the last ones stay.
      GoldenWarpFor(wave, &warp);
      break;
    case kPan:
      panTarget = p;
      break;
    case kGoldenIso:
      goldenPulse = a > 0.5;
      break;
    case kIsoOn:
      if (a == 1 && !pulsing) {
        pulsing = true;
        pulsePhase = kTwoPi * 0.25;
      } else if (a == 0 && pulsing) {
        pulsing = false;
        gain = 0.0f;
      }
      break;
    case kPlayAnyway:
      playAnyway = a > 0.5;
      break;
    case kFade:
      // A quarter of the fade time: the glide closes that share of the gap
      // per glide length, so the ear hears it settle within the fade.
      if (sr > 0.0) glideLength = static_cast<uint32_t>(Clamp(RoundHalfAway(a * sr * 0.00025), 0, 2147483647));
      break;
    case kVolume:
      volumeGain = static_cast<float>(std::pow(2.0, (a * 64 * 0.01 - 64.0) / 6.0) * 0.999);
      break;
    case kLfosSync:
      if (a == 1 && !lfosSync) {
        lfosSync = true;
        lfo[0].ResetPhase();
        lfo[1].ResetPhase();
      } else if (a == 0) {
        lfosSync = false;
      }
      break;
    default:
      if (k >= kLfo2Target)
        ApplyLfoParam(1, static_cast<LfoParam>(k - kLfo2Target), a);
      else if (k >= kLfo1Target)
        ApplyLfoParam(0, static_cast<LfoParam>(k - kLfo1Target), a);
      break;
  }
}

void CLS_ONDIVOX::ApplyLfoParam(int j, LfoParam offset, int a) {
  Lfo& l = lfo[j];
  const float p = a * 0.01f;
  switch (offset) {
    case kLfoTarget:
      ApplyTarget(j, a);
      break;
    case kLfoWave:
      l.wave = static_cast<short>(Clamp(a, 0, kNumLfoWaves - 1));
      break;
    case kLfoSync:
      ApplySyncSwitch(j, a);
      break;
    case kLfoRateNote:
      ApplyNoteRate(j, a);
      break;
    case kLfoRateMs:
      ApplyMsRate(j, a);
      break;
    case kLfoDepth:
      l.depth = p;
      if (l.active && l.drivenParam >= 0) Reapply(l.drivenParam);
      break;
    case kLfoStart:
      if (p != l.start) {
        l.start = p;
        l.ResetPhase();
      }
      break;
    case kLfoParamCount:
      break;
  }
}

void CLS_ONDIVOX::ApplyTarget(int j, int a) {
  Lfo& l = lfo[j];
  l.target = static_cast<short>(Clamp(a, 0, kNumLfoTargets - 1));
  UpdateLfoActivity(j);
  const short driven = kLfoTargetParam[l.target];
  // The value the LFO drove until now goes back to its own parameter's.
  if (l.drivenParam >= 0 && l.drivenParam != driven) Reapply(l.drivenParam);
  l.drivenParam = driven;
}

void CLS_ONDIVOX::ApplySyncSwitch(int j, int a) {
  Lfo& l = lfo[j];
  if (!((!l.synced && a == 1) || (l.synced && a == 0))) return;
  l.synced = a == 1;
  const int note = LfoParamIndex(j, kLfoRateNote);
  const int ms = LfoParamIndex(j, kLfoRateMs);
  if (editor) {
    editor->HideParamControls(note, !l.synced);
    editor->HideParamControls(ms, l.synced);
  }
  if (started && rateClicked) {
    // A click keeps the LFO's speed as near as the other unit allows.
    if (!l.synced) {
      const double sr = cachedSampleRate;
      if (sr > 0.0) ChangeParamFromInstrument(ms, l.increment > 0.0 ? kTwoPiMs / l.increment / sr : params[ms].max);
    } else {
      const double spwn = SyncSamplesPerWholeNote();
      if (spwn > 0.0) ChangeParamFromInstrument(note, NearestNoteEntry(l.increment, spwn));
    }
  }
  // The rate now in effect drives the LFO from here on: otherwise a preset
  // or a restored state whose rate value happens to equal the previous one
  // would keep running at the other unit's speed.
  Reapply(l.synced ? note : ms);
}

void CLS_ONDIVOX::ApplyNoteRate(int j, int a) {
  if (!lfo[j].synced) return;
  const double spwn = SyncSamplesPerWholeNote();
  if (spwn > 0.0) lfo[j].increment = SyncedIncrement(a, spwn);
}

void CLS_ONDIVOX::ApplyMsRate(int j, int a) {
  if (lfo[j].synced || !(cachedSampleRate > 0.0) || a <= 0) return;
  lfo[j].increment = (kTwoPiMs / a) / cachedSampleRate;
}

// Samples per whole note for the synced rates. Without a tempo from the
// host the formula would divide by zero: the rates then keep the last tempo
// the host gave, so the LFO runs on at its speed; before any tempo at all
// they assume 120 beats per minute, so a synced LFO still moves in a host
// that reports none (a headless render).
double CLS_ONDIVOX::SyncSamplesPerWholeNote() const {
  if (samplesPerWholeNote > 0.0) return samplesPerWholeNote;
  if (lastTempoWholeNote > 0.0) return lastTempoWholeNote;
  return cachedSampleRate > 0.0 ? 4.0 * cachedSampleRate * 0.5 : 0.0;
}
