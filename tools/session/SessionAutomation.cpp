#include "tools/session/SessionAutomation.h"

#include <algorithm>
#include <cmath>

using namespace Steinberg;
using namespace Steinberg::Vst;

double SessionAutomation::Segment::At(int64_t frame) const {
  if (!IsRamp() || frame >= end) return to;
  if (frame <= start) return from;
  return from + (to - from) * static_cast<double>(frame - start) / static_cast<double>(end - start);
}

SessionAutomation::SessionAutomation(const SessionTimeline& timeline, double rate, IEditController& controller,
                                     ParamID programChange)
    : rate(rate), controller(controller), programChange(programChange) {
  for (const auto& p : timeline.params) params.push_back(FramesOf(p.first, p.second));
  gain = FramesOf(kFadeGainId, timeline.gain);
  for (const SessionProgramChange& p : timeline.programs)
    programs.push_back(
        {std::llround(p.time * rate), controller.plainParamToNormalized(programChange, p.program), p.step});
}

SessionAutomation::Track SessionAutomation::FramesOf(ParamID id, const AutomationTrack& track) const {
  Track frames;
  frames.id = id;
  frames.initial = track.Initial();
  for (const TrackSegment& s : track.Segments()) {
    Segment f;
    f.start = std::llround(s.start * rate);
    f.end = std::llround(s.end * rate);
    f.from = s.from;
    f.to = s.to;
    f.step = s.step;
    f.sent = s.sent;
    f.cut = s.cut;
    frames.segments.push_back(f);
  }
  return frames;
}

void SessionAutomation::Changes(int64_t position, int32_t frames, ParameterChanges& changes) {
  const int64_t last = position + frames - 1;
  int lastProgramStep = -1;
  for (; nextProgram < programs.size() && programs[nextProgram].frame <= last; ++nextProgram) {
    const Program& p = programs[nextProgram];
    changes.Add(programChange, p.normalized, static_cast<int32>(std::max<int64_t>(p.frame - position, 0)));
    lastProgramStep = p.step;
  }
  for (Track& track : params) TrackChanges(track, position, last, lastProgramStep, changes);
}

void SessionAutomation::TrackChanges(Track& track, int64_t first, int64_t last, int afterStep,
                                     ParameterChanges& changes) {
  std::vector<Segment>& segments = track.segments;
  while (track.next < segments.size() && segments[track.next].end < first) ++track.next;
  auto point = [&](int64_t frame, double plain) {
    changes.Add(track.id, controller.plainParamToNormalized(track.id, plain), static_cast<int32>(frame - first));
  };
  for (std::size_t k = track.next; k < segments.size() && segments[k].start <= last; ++k) {
    const Segment& s = segments[k];
    if (s.step < afterStep) continue;
    // A ramp too short to span a frame is a jump to its end.
    if (s.sent && s.start >= first) point(s.start, s.IsRamp() ? s.from : s.to);
    if (!s.IsRamp()) continue;
    const int64_t at = std::min(s.end, last);
    if (at > s.start && at >= first && !(at == s.end && s.cut)) point(at, s.At(at));
  }
}

double SessionAutomation::GainAt(int64_t frame) {
  std::vector<Segment>& segments = gain.segments;
  while (gain.next < segments.size() && segments[gain.next].start <= frame) ++gain.next;
  // gain.next is the first segment that has not started; the one before holds frame.
  return gain.next == 0 ? gain.initial : segments[gain.next - 1].At(frame);
}

void SessionAutomation::ApplyGain(int64_t position, int32_t frames, double* const* channels) {
  const std::vector<Segment>& segments = gain.segments;
  const double start = GainAt(position);
  const bool steady = (gain.next == segments.size() || segments[gain.next].start >= position + frames) &&
                      (gain.next == 0 || segments[gain.next - 1].end <= position);
  if (steady && start == 1.0) return;
  for (int32_t i = 0; i < frames; ++i) {
    const double g = steady ? start : GainAt(position + i);
    channels[0][i] *= g;
    channels[1][i] *= g;
  }
}
