#include "tools/session/FrameTrack.h"

#include <cmath>

double FrameTrack::Segment::At(int64_t frame) const {
  if (!IsRamp() || frame >= end) return to;
  if (frame <= start) return from;
  return from + (to - from) * static_cast<double>(frame - start) / static_cast<double>(end - start);
}

FrameTrack::FrameTrack(const AutomationTrack& track, double rate) : initial(track.Initial()) {
  for (const TrackSegment& s : track.Segments()) {
    Segment f;
    f.start = std::llround(s.start * rate);
    f.end = std::llround(s.end * rate);
    f.from = s.from;
    f.to = s.to;
    f.step = s.step;
    f.sent = s.sent;
    f.cut = s.cut;
    segments.push_back(f);
  }
}

double FrameTrack::ValueAt(int64_t frame) {
  while (next < segments.size() && segments[next].start <= frame) ++next;
  return next == 0 ? initial : segments[next - 1].At(frame);
}

bool FrameTrack::SteadyOver(int64_t position, int32_t frames) const {
  return (next == segments.size() || segments[next].start >= position + frames) &&
         (next == 0 || segments[next - 1].end <= position);
}
