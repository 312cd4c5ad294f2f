#include "tools/session/AutomationTrack.h"

double TrackSegment::At(double t) const {
  if (!IsRamp() || t >= end) return to;
  if (t <= start) return from;
  return from + (to - from) * (t - start) / (end - start);
}

double AutomationTrack::ValueAt(double t) const {
  for (auto s = segments.rbegin(); s != segments.rend(); ++s)
    if (s->start <= t) return s->At(t);
  return initial;
}

int AutomationTrack::EndRampAt(double t) {
  if (segments.empty()) return -1;
  TrackSegment& last = segments.back();
  if (!last.IsRamp() || last.end <= t) return -1;
  last.to = last.At(t);
  last.end = t;
  last.cut = true;
  return last.step;
}

int AutomationTrack::Set(double t, double value, int step, bool sent) {
  const int ended = EndRampAt(t);
  TrackSegment s;
  s.start = s.end = t;
  s.from = s.to = value;
  s.step = step;
  s.sent = sent;
  segments.push_back(s);
  return ended;
}

int AutomationTrack::Ramp(double t, double duration, double value, int step) {
  const double from = ValueAt(t);
  const int ended = EndRampAt(t);
  TrackSegment s;
  s.start = t;
  s.end = t + duration;
  s.from = from;
  s.to = value;
  s.step = step;
  segments.push_back(s);
  return ended;
}
