// SessionAutomation: a resolved timeline delivered block by block as a host
// delivers automation: each block's parameter changes in the process call's
// queues at their sample offsets, and the tool's fade gain on the output.
//
// A ramp gives each block it spans one point, at the block's last frame (or
// at the ramp's end), with the ramp's value there: the plug-in applies the
// last point of a queue at the start of the block and glides or ramps
// towards it over the block, so the sound meets the line at each block's
// end. A program change comes first in its block; parameter points made by
// earlier lines in the same block are left out, since the program replaces
// them, and the values the program keeps are sent again after it.
#pragma once

#include <cstdint>
#include <vector>

#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "tools/host/ParameterChanges.h"
#include "tools/session/SessionTimeline.h"

class SessionAutomation {
 public:
  // Times become frames at rate; plain values become the queues' normalised
  // values through controller; programChange is the host's program-change ID.
  SessionAutomation(const SessionTimeline& timeline, double rate, Steinberg::Vst::IEditController& controller,
                    Steinberg::Vst::ParamID programChange);

  // Adds the block's changes to changes; blocks come in order.
  void Changes(int64_t position, int32_t frames, ParameterChanges& changes);
  // Scales the block's two channels by the fade gain; blocks come in order.
  void ApplyGain(int64_t position, int32_t frames, double* const* channels);

 private:
  struct Segment {
    int64_t start = 0, end = 0;
    double from = 0.0, to = 0.0;
    int step = -1;
    bool sent = true, cut = false;
    bool IsRamp() const { return end > start; }
    double At(int64_t frame) const;
  };
  struct Track {
    Steinberg::Vst::ParamID id = 0;
    double initial = 0.0;
    std::vector<Segment> segments;
    std::size_t next = 0;  // the first segment not yet behind the blocks
  };
  struct Program {
    int64_t frame = 0;
    double normalized = 0.0;
    int step = 0;
  };

  Track FramesOf(Steinberg::Vst::ParamID id, const AutomationTrack& track) const;
  void TrackChanges(Track& track, int64_t first, int64_t last, int afterStep, ParameterChanges& changes);
  double GainAt(int64_t frame);

  double rate;
  Steinberg::Vst::IEditController& controller;
  Steinberg::Vst::ParamID programChange;
  std::vector<Track> params;
  Track gain;
  std::vector<Program> programs;
  std::size_t nextProgram = 0;
};
