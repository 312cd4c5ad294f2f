// CLS_ONDIVOX: the two LFOs' activity, mapping and per-sample output.
#include "instrument/Ondivox.h"

void CLS_ONDIVOX::UpdateLfoActivity(int j) {
  lfoDisplay[1].SetConflict(false);
  const bool lfo2WasActive = lfo[1].active;
  lfo[j].active = lfo[j].target > kTargetNone;
  lfoDisplay[j].SetActive(lfo[j].active);
  if (lfo[1].target > kTargetNone) {
    // Two LFOs never drive one value: LFO 2 gives way.
    if (lfo[1].target == lfo[0].target) {
      lfoDisplay[1].SetConflict(true);
      SetLfo2Active(false);
    } else if (!lfo[1].active) {
      SetLfo2Active(true);
    }
  }
  // LFO 2's mapping is not kept up to date while it gives way; coming back,
  // it must swing around its target's current value, not a stale range.
  if (j == 0 && lfo[1].active && !lfo2WasActive) UpdateLfoMapping(1);
}

void CLS_ONDIVOX::SetLfo2Active(bool on) {
  lfo[1].active = on;
  lfoDisplay[1].SetActive(on);
}

float CLS_ONDIVOX::LfoBaseValue(int target) const {
  switch (target) {
    case kTargetBaseFreq:
      return static_cast<float>(carrierIncTarget);
    case kTargetIsoRate:
      return static_cast<float>(pulseIncTarget);
    case kTargetRound:
      return round;
    case kTargetPan:
      return panTarget;
    default:
      return volumeGain;
  }
}

// Until the sample rate is known the frequency targets have no range; the
// mapping is then left as it was and redone when ResetState re-applies the
// rates against the real sample rate.
void CLS_ONDIVOX::UpdateLfoMapping(int j) {
  Lfo& l = lfo[j];
  LfoRange range;
  if (!LfoRangeFor(l.target, l.depth, cachedSampleRate, &range)) return;
  l.Map(range, LfoBaseValue(l.target));
  lfoDisplay[j].SetRange(range.lo, range.hi);
}

bool CLS_ONDIVOX::AnyLfoTargets(int target) const { return lfo[0].target == target || lfo[1].target == target; }
