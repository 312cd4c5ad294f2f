// FrameTrack: an automation track with its times in frames, read block by
// block in order: the value at each frame, and whether a block holds still.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/session/AutomationTrack.h"

class FrameTrack {
 public:
  struct Segment {
    int64_t start = 0, end = 0;
    double from = 0.0, to = 0.0;
    int step = -1;
    bool sent = true, cut = false;
    bool IsRamp() const { return end > start; }
    double At(int64_t frame) const;
  };

  FrameTrack() = default;
  FrameTrack(const AutomationTrack& track, double rate);

  // The value at frame; frames come in order.
  double ValueAt(int64_t frame);
  // Whether the value is the same over frames frames from position (after
  // ValueAt(position)).
  bool SteadyOver(int64_t position, int32_t frames) const;

  double Initial() const { return initial; }
  std::vector<Segment>& Segments() { return segments; }

 private:
  double initial = 0.0;
  std::vector<Segment> segments;
  std::size_t next = 0;  // the first segment that has not started
};
