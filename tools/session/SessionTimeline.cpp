#include "tools/session/SessionTimeline.h"

#include <cmath>
#include <cstdlib>
#include <exception>
#include <stdexcept>

#include "tools/session/NearestWord.h"
#include "tools/session/SessionError.h"

namespace {

// A track that is silent until its first fade when that fade is a fade-in.
AutomationTrack FadeTrack(const SessionScript& script, bool prefixed, int layer) {
  for (const SessionLine& line : script.lines)
    if ((line.word == "fade-in" || line.word == "fade-out") && line.prefixed == prefixed &&
        (!prefixed || line.layer == layer))
      return AutomationTrack(line.word == "fade-in" ? 0.0 : 1.0);
  return AutomationTrack(1.0);
}

bool SameWord(const std::string& a, const char* b) {
  std::size_t i = 0;
  for (; i < a.size() && b[i]; ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != b[i]) return false;
  return i == a.size() && !b[i];
}

// "level=-30", "level=-30 dB", "balance=-40": the mix's own settings.
bool MixSetting(const std::string& word, Steinberg::Vst::ParamID* id, double* value) {
  const std::size_t eq = word.find('=');
  const std::string name = word.substr(0, eq);
  if (!SameWord(name, "level") && !SameWord(name, "balance")) return false;
  const bool level = SameWord(name, "level");
  *id = level ? kLevelId : kBalanceId;
  std::string text = word.substr(eq + 1);
  while (!text.empty() && text.back() == ' ') text.pop_back();
  const std::string unit = level ? "db" : "%";
  if (text.size() > unit.size()) {
    std::string tail = text.substr(text.size() - unit.size());
    for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (tail == unit) text.erase(text.size() - unit.size());
    while (!text.empty() && text.back() == ' ') text.pop_back();
  }
  char* end = nullptr;
  const double v = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || !std::isfinite(v))
    throw std::runtime_error("bad value for " + name + ": '" + word.substr(eq + 1) + "' is not a number" +
                             (level ? " of dB" : ""));
  const double lo = level ? kMinLevel : -100.0, hi = level ? kMaxLevel : 100.0;
  if (v < lo || v > hi) {
    char range[64];
    std::snprintf(range, sizeof range, "%g .. %g", lo, hi);
    throw std::runtime_error("bad value for " + name + ": " + text + " is outside " + range);
  }
  *value = v;
  return true;
}

class Resolution {
 public:
  Resolution(const SessionScript& script, const std::vector<SessionResolver*>& voices, SessionTimeline* timeline)
      : script(script), voices(voices), timeline(*timeline) {
    timeline->gain = FadeTrack(script, false, 0);
    for (std::size_t i = 0; i < script.layers.size(); ++i) {
      LayerTimeline layer;
      const bool noise = script.layers[i].kind == LayerKind::kNoise;
      layer.level = AutomationTrack(noise ? kNoiseLevel : 0.0);
      layer.balance = AutomationTrack(0.0);
      layer.fade = FadeTrack(script, true, static_cast<int>(i));
      if (voices[i])
        for (const SessionValue& v : voices[i]->StartValues()) layer.params.emplace_back(v.id, AutomationTrack(v.plain));
      timeline->layers.push_back(layer);
    }
  }

  void Step(const SessionLine& line) {
    SessionStep step;
    step.line = line.line;
    step.layer = line.layer;
    step.prefixed = line.prefixed;
    step.time = line.time;
    step.word = line.word;
    step.duration = line.duration;
    timeline.steps.push_back(step);
    LayerTimeline& layer = timeline.layers[line.layer];
    if (line.word == "program") return Program(line);
    const bool fade = line.word == "fade-in" || line.word == "fade-out";
    AutomationTrack& fades = line.prefixed ? layer.fade : timeline.gain;
    if (fade) return Move(kFadeGainId, fades, line, line.word == "fade-in" ? 1.0 : 0.0, true);
    if (line.word == "start") {
      layer.start = line.time;
      SessionMove move;
      move.id = kStartId;
      timeline.steps.back().moves.push_back(move);
      return;
    }
    const bool ramp = line.word == "ramp";
    for (const std::string& word : line.args) {
      Steinberg::Vst::ParamID id = 0;
      double value = 0.0;
      if (MixSetting(word, &id, &value)) {
        Move(id, id == kLevelId ? layer.level : layer.balance, line, value, ramp);
        continue;
      }
      SessionResolver* voice = voices[line.layer];
      if (!voice) NotAMixSetting(word, line);
      const SessionValue v = voice->Setting(word);
      Move(v.id, Track(line.layer, v.id), line, v.plain, ramp);
    }
  }

 private:
  int Index() const { return static_cast<int>(timeline.steps.size()) - 1; }

  [[noreturn]] void NotAMixSetting(const std::string& word, const SessionLine& line) const {
    const std::string name = word.substr(0, word.find('='));
    const std::string near = NearestWord(name, {"level", "balance"});
    throw std::runtime_error("'" + name + "' is not a setting of " + script.layers[line.layer].name +
                             ", a " + (script.layers[line.layer].kind == LayerKind::kNoise ? "noise" : "input") +
                             " layer (level, balance)" + (near.empty() ? "" : "; did you mean '" + near + "'?"));
  }

  AutomationTrack& Track(int layer, Steinberg::Vst::ParamID id) {
    auto& params = timeline.layers[layer].params;
    for (auto& p : params)
      if (p.first == id) return p.second;
    params.emplace_back(id, AutomationTrack(0.0));
    return params.back().second;
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
    SessionResolver& voice = *voices[line.layer];
    LayerTimeline& layer = timeline.layers[line.layer];
    const int program = voice.Program(line.args[0]);
    timeline.steps.back().program = program;
    layer.programs.push_back({line.time, program, Index()});
    std::vector<SessionValue> before;
    for (const auto& p : layer.params) before.push_back({p.first, p.second.ValueAt(line.time)});
    for (const SessionValue& v : voice.ProgramValues(program, before)) {
      AutomationTrack& track = Track(line.layer, v.id);
      const bool kept = track.ValueAt(line.time) == v.plain;
      Move(v.id, track, line, v.plain, false, kept);
      std::vector<SessionMove>& moves = timeline.steps.back().moves;
      if (moves.back().from == moves.back().to) moves.pop_back();
    }
  }

  const SessionScript& script;
  const std::vector<SessionResolver*>& voices;
  SessionTimeline& timeline;
};

}  // namespace

SessionTimeline ResolveSession(const SessionScript& script, const std::vector<SessionResolver*>& voices) {
  SessionTimeline timeline;
  Resolution resolution(script, voices, &timeline);
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
