// The instrument's 25 parameters: names, kinds, ranges, defaults, texts.
#include <cstdio>

#include "instrument/Ondivox.h"

const char* const kRateNoteTexts[kNumRateNotes] = {
    "1/32", "1/16T", "1/32D", "1/16", "1/8T", "1/16D", "1/8",   "1/4T",  "1/8D",  "1/4",  "1/2T",
    "1/4D", "1/2",   "1/1T",  "1/2D", "1/1",  "2/1T",  "1/1D",  "2/1",   "4/1T",  "2/1D", "4/1",
    "8/1T", "4/1D",  "8/1",   "16/1T", "8/1D", "16/1", "32/1T", "16/1D", "32/1",
};

const short kLfoTargetParam[6] = {-1, kBaseFreq, kIsoRate, kRound, kPan, kVolume};

namespace {

const char* const kOffOn[2] = {"Off", "On"};
const char* const kNoYes[2] = {"No", "Yes"};
const char* const kCarrierWaves[8] = {"Sine",        "Triangle",  "Saw",            "Square",
                                      "Golden Sine", "Sine Half", "Gold. Triangle", "Gold. Square"};
const char* const kLfoTargets[6] = {"No Assign", "Base Freq", "Isochronic", "Round", "Pan", "Volume"};
const char* const kLfoWaves[7] = {"Sine", "Triangle", "Saw", "Saw Flip", "Square", "Sine Half", "Half Flip"};

void DefineList(IParamEntry* p, const char* name, int defaultIndex, const char* const* texts, int count) {
  p->DefineEnum(name, defaultIndex, count, "");
  for (int i = 0; i < count; ++i) p->AddValueText(i, texts[i]);
}

// One LFO's parameters; the rate pair is defined note first, then ms, then sync.
void DefineLfo(IEffectBase* plug, int first, const char* prefix) {
  char text[IParamEntry::kTextSize];
  auto name = [&](const char* what) {
    std::snprintf(text, sizeof text, "%s %s", prefix, what);
    return text;
  };
  const int target = first, wave = first + 1, sync = first + 2, note = first + 3, ms = first + 4;
  DefineList(plug->Param(target), name("Target"), 0, kLfoTargets, 6);
  DefineList(plug->Param(wave), name("Wave"), 0, kLfoWaves, 7);
  DefineList(plug->Param(note), name("Rate"), 15, kRateNoteTexts, kNumRateNotes);
  plug->Param(ms)->DefineInt(name("Rate"), 2000, 60, 64000, "ms");
  plug->Param(ms)->SetCurve(2.0);
  DefineList(plug->Param(sync), name("Sync"), 1, kNoYes, 2);
  plug->Param(first + 5)->DefineInt(name("Depth"), 90, 0, 100, "%");
  plug->Param(first + 6)->DefineInt(name("Start"), 0, 0, 100, "%");
}

}  // namespace

void CLS_ONDIVOX::DefineParameters() {
  Param(kBaseFreq)->DefineDouble("Base Freq", 200.0, 20.0, 20000.0, 0.1, "Hz");
  Param(kBaseFreq)->SetCurve(2.0);
  Param(kIsoRate)->DefineDouble("Isochronic", 4.0, 0.01, 512.0, 0.01, "Hz");
  Param(kRound)->DefineInt("Round", 75, 0, 100, "%");
  DefineList(Param(kWave), "Wave", 0, kCarrierWaves, 8);
  Param(kPan)->DefineInt("Pan", 0, -100, 100, "%");
  DefineList(Param(kGoldenIso), "Golden iso", 0, kOffOn, 2);
  DefineList(Param(kIsoOn), "Isochronic", 1, kOffOn, 2);
  DefineList(Param(kPlayAnyway), "Play Anyway", 0, kNoYes, 2);
  Param(kFade)->DefineInt("Fade", 1000, 1, 90000, "ms");
  Param(kVolume)->DefineInt("Volume", 90, 0, 100, "%");
  DefineLfo(this, kLfo1Target, "LFO1");
  DefineLfo(this, kLfo2Target, "LFO2");
  DefineList(Param(kLfosSync), "LFO's Sync", 1, kNoYes, 2);
}
