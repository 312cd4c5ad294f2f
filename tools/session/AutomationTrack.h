// AutomationTrack: one value over a session's time, as jumps and linear
// ramps. A later jump or ramp ends a ramp still running at its time where
// that ramp stands, so segments never overlap.
#pragma once

#include <vector>

struct TrackSegment {
  double start = 0.0, end = 0.0;  // seconds; equal for a jump
  double from = 0.0, to = 0.0;
  int step = -1;     // the timeline step that made it
  bool sent = true;  // false: a program change carries the value, not this track
  bool cut = false;  // a later step ended it early; it stops at end, at to

  bool IsRamp() const { return end > start; }
  double At(double t) const;  // for t within start .. end
};

class AutomationTrack {
 public:
  explicit AutomationTrack(double initial = 0.0) : initial(initial) {}

  // The value at t, once every segment before t has been added.
  double ValueAt(double t) const;
  // Jumps to value at t; answers the step of a ramp this ends, or -1.
  int Set(double t, double value, int step, bool sent = true);
  // From where it stands at t to value over duration; answers as Set.
  int Ramp(double t, double duration, double value, int step);

  double Initial() const { return initial; }
  const std::vector<TrackSegment>& Segments() const { return segments; }

 private:
  int EndRampAt(double t);

  double initial;
  std::vector<TrackSegment> segments;
};
