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

// Stands for the fade gain in a step's moves.
constexpr Steinberg::Vst::ParamID kFadeGainId = 0xFFFFFFFFu;

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

struct SessionTimeline {
  std::vector<SessionStep> steps;
  std::vector<std::pair<Steinberg::Vst::ParamID, AutomationTrack>> params;
  AutomationTrack gain{1.0};
  std::vector<SessionProgramChange> programs;
};

// Every word of script looked up through resolver; a SessionError names the
// line of the first word that names nothing.
SessionTimeline ResolveSession(const SessionScript& script, SessionResolver& resolver);
