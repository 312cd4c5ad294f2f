// SessionAutomation: a voice's resolved timeline delivered block by block as
// a host delivers automation: each block's parameter changes in the process
// call's queues at their sample offsets.
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
#include "tools/session/FrameTrack.h"
#include "tools/session/SessionTimeline.h"

class SessionAutomation {
 public:
  // Times become frames at rate; plain values become the queues' normalised
  // values through controller; programChange is the host's program-change ID.
  SessionAutomation(const LayerTimeline& voice, double rate, Steinberg::Vst::IEditController& controller,
                    Steinberg::Vst::ParamID programChange);

  // Adds the block's changes to changes; blocks come in order.
  void Changes(int64_t position, int32_t frames, ParameterChanges& changes);

 private:
  struct Track {
    Steinberg::Vst::ParamID id = 0;
    FrameTrack frames;
    std::size_t next = 0;  // the first segment not yet behind the blocks
  };
  struct Program {
    int64_t frame = 0;
    double normalized = 0.0;
    int step = 0;
  };

  void TrackChanges(Track& track, int64_t first, int64_t last, int afterStep, ParameterChanges& changes);

  double rate;
  Steinberg::Vst::IEditController& controller;
  Steinberg::Vst::ParamID programChange;
  std::vector<Track> params;
  std::vector<Program> programs;
  std::size_t nextProgram = 0;
};
