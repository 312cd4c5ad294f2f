// The instrument's parameter indices: the host's IDs and the state order.
#pragma once

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
  kLfo1Target = 10,
  kLfo1Wave = 11,
  kLfo1Sync = 12,
  kLfo1RateNote = 13,
  kLfo1RateMs = 14,
  kLfo1Depth = 15,
  kLfo1Start = 16,
  kLfo2Target = 17,
  kLfo2Wave = 18,
  kLfo2Sync = 19,
  kLfo2RateNote = 20,
  kLfo2RateMs = 21,
  kLfo2Depth = 22,
  kLfo2Start = 23,
  kLfosSync = 24,
  kNumParams = 25,
};

// Parameters of LFO 2 sit this far after those of LFO 1.
constexpr int kLfoParamStride = kLfo2Target - kLfo1Target;

constexpr int kNumPresetSlots = 150;
constexpr int kNumRateNotes = 31;

// Display texts of the tempo-synced rate entries, slowest last.
extern const char* const kRateNoteTexts[kNumRateNotes];
// LFO target entry -> the parameter index it drives (-1 for "No Assign").
extern const short kLfoTargetParam[6];
