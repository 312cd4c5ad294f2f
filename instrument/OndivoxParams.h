// The instrument's parameter indices: the host's IDs and the state order.
#pragma once

// One LFO's parameters, in the order each LFO's sit; LFO 2's follow LFO 1's.
enum LfoParam : int {
  kLfoTarget = 0,
  kLfoWave,
  kLfoSync,
  kLfoRateNote,
  kLfoRateMs,
  kLfoDepth,
  kLfoStart,
  kLfoParamCount,
};

constexpr int kFirstLfoParam = 10;

// The parameter index of LFO lfo's (0 or 1) parameter p.
constexpr int LfoParamIndex(int lfo, LfoParam p) { return kFirstLfoParam + lfo * kLfoParamCount + p; }

enum OndivoxParam : int {
  kBaseFreq = 0,
  kIsoRate = 1,
  kRound = 2,
  kWave = 3,
  kPan = 4,
  kGoldenIso = 5,
  kIsoOn = 6,
  kPlayAnyway = 7,
  kFade = 8,
  kVolume = 9,
  kLfo1Target = LfoParamIndex(0, kLfoTarget),
  kLfo1Wave = LfoParamIndex(0, kLfoWave),
  kLfo1Sync = LfoParamIndex(0, kLfoSync),
  kLfo1RateNote = LfoParamIndex(0, kLfoRateNote),
  kLfo1RateMs = LfoParamIndex(0, kLfoRateMs),
  kLfo1Depth = LfoParamIndex(0, kLfoDepth),
  kLfo1Start = LfoParamIndex(0, kLfoStart),
  kLfo2Target = LfoParamIndex(1, kLfoTarget),
  kLfo2Wave = LfoParamIndex(1, kLfoWave),
  kLfo2Sync = LfoParamIndex(1, kLfoSync),
  kLfo2RateNote = LfoParamIndex(1, kLfoRateNote),
  kLfo2RateMs = LfoParamIndex(1, kLfoRateMs),
  kLfo2Depth = LfoParamIndex(1, kLfoDepth),
  kLfo2Start = LfoParamIndex(1, kLfoStart),
  kLfosSync = kFirstLfoParam + 2 * kLfoParamCount,  // after both LFOs
  kNumParams = kLfosSync + 1,
};
static_assert(kFirstLfoParam == kVolume + 1, "the LFOs' parameters follow Volume");

constexpr int kNumPresetSlots = 150;
constexpr int kNumRateNotes = 31;

// Display texts of the tempo-synced rate entries, slowest last.
extern const char* const kRateNoteTexts[kNumRateNotes];
// LFO target entry -> the parameter index it drives (-1 for "No Assign").
extern const short kLfoTargetParam[6];
