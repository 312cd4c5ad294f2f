#include "tools/session/SessionTimeline.h"

#include <exception>

#include "tools/session/SessionError.h"

namespace {

class Resolution {
 public:
  Resolution(SessionResolver& resolver, SessionTimeline* timeline) : resolver(resolver), timeline(*timeline) {
    for (const SessionValue& v : resolver.StartValues()) timeline->params.emplace_back(v.id, AutomationTrack(v.plain));
  }

  void Step(const SessionLine& line) {
    SessionStep step;
    step.line = line.line;
    step.time = line.time;
    step.word = line.word;
    step.duration = line.duration;
    timeline.steps.push_back(step);
    if (line.word == "program") return Program(line);
    if (line.word == "fade-in") return Move(kFadeGainId, timeline.gain, line, 1.0, true);
    if (line.word == "fade-out") return Move(kFadeGainId, timeline.gain, line, 0.0, true);
    const bool ramp = line.word == "ramp";
    for (const std::string& word : line.args) {
      const SessionValue v = resolver.Setting(word);
      Move(v.id, Track(v.id), line, v.plain, ramp);
    }
  }

 private:
  int Index() const { return static_cast<int>(timeline.steps.size()) - 1; }

  AutomationTrack& Track(Steinberg::Vst::ParamID id) {
    for (auto& p : timeline.params)
      if (p.first == id) return p.second;
    timeline.params.emplace_back(id, AutomationTrack(0.0));
    return timeline.params.back().second;
  }

  void Move(Steinberg::Vst::ParamID id, AutomationTrack& track, const SessionLine& line, double to, bool ramp,
            bool sent = true) {
    SessionMove move;
    move.id = id;
    move.from = track.ValueAt(line.time);
    move.to = to;
    const int ended =
        ramp ? track.Ramp(line.time, line.duration, to, Index()) : track.Set(line.time, to, Index(), sent);
    if (ended >= 0) NoteEnded(timeline.steps[ended], id, line, move.from);
    timeline.steps.back().moves.push_back(move);
  }

  // The earlier ramp on id stops at line's time, at value.
  void NoteEnded(SessionStep& earlier, Steinberg::Vst::ParamID id, const SessionLine& line, double value) {
    for (SessionMove& m : earlier.moves)
      if (m.id == id) {
        m.endedByLine = line.line;
        m.endedAt = line.time;
        m.endedValue = value;
      }
  }

  // A program sets every parameter at once; the program change carries the
  // values it changes. Those it leaves alone are sent again after it, so an
  // earlier line's change in the program's block still reaches the plug-in.
  void Program(const SessionLine& line) {
    const int program = resolver.Program(line.args[0]);
    timeline.steps.back().program = program;
    timeline.programs.push_back({line.time, program, Index()});
    std::vector<SessionValue> before;
    for (const auto& p : timeline.params) before.push_back({p.first, p.second.ValueAt(line.time)});
    for (const SessionValue& v : resolver.ProgramValues(program, before)) {
      const bool kept = Track(v.id).ValueAt(line.time) == v.plain;
      Move(v.id, Track(v.id), line, v.plain, false, kept);
      std::vector<SessionMove>& moves = timeline.steps.back().moves;
      if (moves.back().from == moves.back().to) moves.pop_back();
    }
  }

  SessionResolver& resolver;
  SessionTimeline& timeline;
};

}  // namespace

SessionTimeline ResolveSession(const SessionScript& script, SessionResolver& resolver) {
  SessionTimeline timeline;
  // Silence until the first fade-in, when the first fade is one.
  for (const SessionLine& line : script.lines)
    if (line.word == "fade-in" || line.word == "fade-out") {
      timeline.gain = AutomationTrack(line.word == "fade-in" ? 0.0 : 1.0);
      break;
    }
  Resolution resolution(resolver, &timeline);
  for (const SessionLine& line : script.lines) {
    try {
      resolution.Step(line);
    } catch (const SessionError&) {
      throw;
    } catch (const std::exception& e) {
      throw SessionError(script.file, line.line, e.what());
    }
  }
  return timeline;
}
