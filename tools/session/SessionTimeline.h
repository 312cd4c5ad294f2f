// SessionTimeline: a session script resolved against the plug-in: every
// step with the plain values it leads to, and per parameter (and for the
// tool's fade gain) the value over time that the render delivers.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "tools/session/AutomationTrack.h"
#include "tools/session/SessionResolver.h"
#include "tools/session/SessionScript.h"

// Stand for the mix's own values in a step's moves: a fade's gain, a
// layer's level (dB) and balance (-100 .. 100), and its start.
constexpr Steinberg::Vst::ParamID kFadeGainId = 0xFFFFFFFFu;
constexpr Steinberg::Vst::ParamID kLevelId = 0xFFFFFFFEu;
constexpr Steinberg::Vst::ParamID kBalanceId = 0xFFFFFFFDu;
constexpr Steinberg::Vst::ParamID kStartId = 0xFFFFFFFCu;
// A noise bed's RMS level when no line sets one, in dBFS.
constexpr double kNoiseLevel = -30.0;
// The range level takes, in dB.
constexpr double kMinLevel = -120.0, kMaxLevel = 24.0;

// One parameter (or the fade gain) moved by a step.
struct SessionMove {
  Steinberg::Vst::ParamID id = 0;
  double from = 0.0, to = 0.0;  // plain values; equal to from for a set that changes nothing
  // When a later line ended a ramp early: that line, and where the ramp stopped.
  int endedByLine = 0;
  double endedAt = 0.0, endedValue = 0.0;
};

struct SessionStep {
  int line = 0;
  int layer = 0;          // the layer it addresses
  bool prefixed = false;  // a fade without a prefix is the whole mix's
  double time = 0.0;
  std::string word;
  double duration = 0.0;
  int program = -1;  // program steps
  std::vector<SessionMove> moves;
};

struct SessionProgramChange {
  double time = 0.0;
  int program = 0;
  int step = 0;
};

// One layer over time: a voice's parameters and programs, and every
// layer's place in the mix.
struct LayerTimeline {
  std::vector<std::pair<Steinberg::Vst::ParamID, AutomationTrack>> params;
  std::vector<SessionProgramChange> programs;
  AutomationTrack level, balance, fade{1.0};
  double start = 0.0;  // silent before it
};

struct SessionTimeline {
  std::vector<SessionStep> steps;
  std::vector<LayerTimeline> layers;  // as the script's layers
  AutomationTrack gain{1.0};          // the whole mix's fades
};

// Every word of script looked up through the voices' resolvers (one per
// layer, null for those that are not voices); a SessionError names the line
// of the first word that names nothing.
SessionTimeline ResolveSession(const SessionScript& script, const std::vector<SessionResolver*>& voices);
