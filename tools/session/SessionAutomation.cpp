#include "tools/session/SessionAutomation.h"

#include <algorithm>
#include <cmath>

using namespace Steinberg;
using namespace Steinberg::Vst;

SessionAutomation::SessionAutomation(const LayerTimeline& timeline, double rate, IEditController& controller,
                                     ParamID programChange)
    : rate(rate), controller(controller), programChange(programChange) {
  for (const auto& p : timeline.params) params.push_back({p.first, FrameTrack(p.second, rate), 0});
  for (const SessionProgramChange& p : timeline.programs)
    programs.push_back(
        {std::llround(p.time * rate), controller.plainParamToNormalized(programChange, p.program), p.step});
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
  std::vector<FrameTrack::Segment>& segments = track.frames.Segments();
  while (track.next < segments.size() && segments[track.next].end < first) ++track.next;
  auto point = [&](int64_t frame, double plain) {
    changes.Add(track.id, controller.plainParamToNormalized(track.id, plain), static_cast<int32>(frame - first));
  };
  for (std::size_t k = track.next; k < segments.size() && segments[k].start <= last; ++k) {
    const FrameTrack::Segment& s = segments[k];
    if (s.step < afterStep) continue;
    // A ramp too short to span a frame is a jump to its end.
    if (s.sent && s.start >= first) point(s.start, s.IsRamp() ? s.from : s.to);
    if (!s.IsRamp()) continue;
    const int64_t at = std::min(s.end, last);
    if (at > s.start && at >= first && !(at == s.end && s.cut)) point(at, s.At(at));
  }
}

