// One low-frequency oscillator: its settings, phase and mapped output range.
#pragma once

enum LfoWaveKind : int {
  kLfoSine = 0,
  kLfoTriangle = 1,
  kLfoSaw = 2,
  kLfoSawFlip = 3,
  kLfoSquare = 4,
  kLfoSineHalf = 5,
  kLfoHalfFlip = 6,
  kNumLfoWaves = 7,
};

// What an LFO drives, as its target list orders them.
enum LfoTargetKind : int {
  kTargetNone = 0,
  kTargetBaseFreq = 1,
  kTargetIsoRate = 2,
  kTargetRound = 3,
  kTargetPan = 4,
  kTargetVolume = 5,
  kNumLfoTargets = 6,
};

// Bounds of a target's range and the values the LFO swings between.
struct LfoRange {
  float lo = 0.0f;
  float hi = 0.0f;
  float amplitude = 0.0f;
};

struct Lfo {
  short target = kTargetNone;
  short drivenParam = 0;  // parameter index the target stands for; -1 for none
  short wave = kLfoSine;
  bool synced = true;
  bool active = false;
  double increment = 0.0;  // radians per sample
  double phase = 0.0;      // radians, 0 <= phase < 2 pi
  double squareState = 0.0;
  float centre = 0.0f;
  float amplitude = 0.0f;
  float depth = 0.0f;  // 0 .. 1
  float start = 0.0f;  // 0 .. 1 of a cycle

  // The wave's output at the current phase (-1 .. 1), then one step on.
  double Step();
  // Back to the start phase, offset per wave so each begins where its shape
  // reads naturally.
  void ResetPhase();
  // Fits centre and amplitude inside range around base.
  void Map(const LfoRange& range, float base);
};

// The range of a target at the given sample rate; false when the target
// has none (no assignment) or needs a sample rate that is not known yet.
bool LfoRangeFor(int target, float depth, double sampleRate, LfoRange* range);
