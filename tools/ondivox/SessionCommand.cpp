// ondivox session show, and what render --session needs from the plug-in.
#include "tools/ondivox/SessionCommand.h"

#include <cmath>
#include <cstdio>
#include <map>

#include "tools/ondivox/Arguments.h"
#include "tools/ondivox/Commands.h"
#include "tools/ondivox/ParamSetting.h"
#include "tools/ondivox/ToolError.h"
#include "tools/session/SessionError.h"
#include "tools/session/SessionTime.h"
#include "tools/session/SessionTimeline.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

// At 48 kHz a block of 256 frames is 5.3 ms: a program change or the start
// of a ramp is heard within that of its time, and a ramp gets about 190
// points a second, finer than the steps the plug-in quantises its values to
// (a hundredth of a hertz for the pulse rate) on all but very fast ramps.
// Smaller blocks cost more process calls for nothing a listener hears.
constexpr int32_t kSessionBlockFrames = 256;

// The lookups --set and --program use, on the plug-in itself.
class PluginResolver : public SessionResolver {
 public:
  explicit PluginResolver(ToolSession& tool) : tool(tool), plug(tool.Plug()) {}

  SessionValue Setting(const std::string& word) override {
    const ParamSetting s = ResolveSetting(plug, word);
    return {s.id, s.plain};
  }

  int Program(const std::string& word) override { return tool.ProgramIndex(word); }

  // Selected as a host selects it, on the values before it, then read back.
  std::vector<SessionValue> ProgramValues(int program, const std::vector<SessionValue>& before) override {
    IEditController* ctl = plug.Controller();
    ParameterChanges values, selection;
    for (const SessionValue& v : before) values.Add(v.id, ctl->plainParamToNormalized(v.id, v.plain));
    plug.Flush(&values);
    const ParamID id = tool.ProgramChangeId();
    selection.Add(id, ctl->plainParamToNormalized(id, program));
    plug.Flush(&selection);
    return StartValues();
  }

  std::vector<SessionValue> StartValues() override {
    std::vector<SessionValue> values;
    IEditController* ctl = plug.Controller();
    for (int32 i = 0; i < plug.ParamCount(); ++i) {
      ParameterInfo info;
      if (!plug.ParamInfo(i, info) || (info.flags & ParameterInfo::kIsProgramChange)) continue;
      values.push_back({info.id, ctl->normalizedParamToPlain(info.id, ctl->getParamNormalized(info.id))});
    }
    return values;
  }

 private:
  ToolSession& tool;
  PluginInstance& plug;
};

// The plug-in's state put back however resolving ends.
class StateKeeper {
 public:
  explicit StateKeeper(PluginInstance& plug) : plug(plug), state(plug.SaveState()) {}
  ~StateKeeper() { plug.LoadState(state); }

 private:
  PluginInstance& plug;
  std::vector<uint8_t> state;
};

// Titles, units and display texts for the values a step leads to.
class ValueNames {
 public:
  explicit ValueNames(PluginInstance& plug) : plug(plug) {
    for (int32 i = 0; i < plug.ParamCount(); ++i) {
      ParameterInfo info;
      if (plug.ParamInfo(i, info)) infos[info.id] = info;
    }
  }

  std::string Title(ParamID id) const { return id == kFadeGainId ? "gain" : NarrowText(infos.at(id).title); }

  // The plug-in's own display text, with the units.
  std::string Value(ParamID id, double plain) const {
    char text[32];
    if (id == kFadeGainId) {
      std::snprintf(text, sizeof text, "%.2f", plain);
      return text;
    }
    const std::string shown = plug.ValueText(id, plug.Controller()->plainParamToNormalized(id, plain));
    const std::string units = NarrowText(infos.at(id).units);
    return units.empty() ? shown : shown + " " + units;
  }

 private:
  PluginInstance& plug;
  std::map<ParamID, ParameterInfo> infos;
};

std::string MoveText(const SessionStep& step, const SessionMove& m, const ValueNames& names) {
  const bool moving = step.duration > 0.0;
  std::string text =
      names.Title(m.id) + " " + (moving ? names.Value(m.id, m.from) + " -> " : "") + names.Value(m.id, m.to);
  if (m.endedByLine > 0)
    text += " (stopped at " + names.Value(m.id, m.endedValue) + " at " + FormatSessionTime(m.endedAt) + " by line " +
            std::to_string(m.endedByLine) + ")";
  return text;
}

// What a step does: its word, program and span, then the values it leads to.
std::string StepAction(const SessionStep& step, const std::vector<std::string>& programs, const ValueNames& names) {
  std::string head = step.word;
  if (step.program >= 0) head += " " + std::to_string(step.program) + " \"" + programs[step.program] + "\"";
  if (step.duration > 0.0)
    head += " " + FormatSessionTime(step.duration) + " until " + FormatSessionTime(step.time + step.duration);
  std::string values;
  for (const SessionMove& m : step.moves) values += (values.empty() ? "" : ", ") + MoveText(step, m, names);
  if (step.program >= 0 && values.empty()) values = "no value changes";
  return head + (values.empty() ? "" : ": ") + values;
}

void PrintStep(const SessionStep& step, const std::vector<std::string>& programs, const ValueNames& names) {
  std::printf("%12s  line %-4d %s\n", FormatSessionTime(step.time).c_str(), step.line,
              StepAction(step, programs, names).c_str());
}

// The header's settings, its input checked and described, as " 48000 Hz, ... ,".
std::string HeaderText(const SessionScript& script) {
  char text[64];
  std::string header;
  if (script.rate > 0) header += " " + std::to_string(static_cast<long>(script.rate)) + " Hz,";
  if (script.tempo > 0) {
    std::snprintf(text, sizeof text, " %g BPM,", script.tempo);
    header += text;
  }
  if (script.input.empty()) return header;
  InputFeed input;
  OpenSessionInput(script, input);
  if (script.rate > 0.0 && script.rate != input.Rate())
    throw SessionError(script.file, script.inputLine,
                       script.input + " is at " + std::to_string(input.Rate()) + " Hz, not the session's rate " +
                           std::to_string(static_cast<long>(script.rate)) + " Hz (no resampling)");
  std::snprintf(text, sizeof text, " at %u Hz%s),", input.Rate(), script.loopInput ? ", looped" : "");
  return header + " input " + script.input + " (" +
         FormatSessionTime(static_cast<double>(input.Frames()) / input.Rate()) + text;
}

int Show(const std::vector<std::string>& args) {
  Arguments a = ParseArguments(args, *FindCommand("session show"));
  if (a.positional.size() != 1) throw UsageError("session show needs one FILE");
  const SessionScript script = ReadSessionScript(a.positional[0]);
  ToolSession tool(a.bundle);
  if (a.Has("--state")) tool.LoadStateFile(a.state);
  tool.ApplyProgramAndSettings(a.program, a.sets);
  const SessionTimeline timeline = ResolveOnPlugin(script, tool);

  const ValueNames names(tool.Plug());
  const std::vector<std::string> programs = tool.ProgramNames();
  std::printf("%s:%s", script.file.c_str(), HeaderText(script).c_str());
  std::printf(" %zu steps\n", timeline.steps.size());
  for (const SessionStep& step : timeline.steps) PrintStep(step, programs, names);
  if (script.HasEnd())
    std::printf("%12s  line %-4d end\nlength %s (%g s)\n", FormatSessionTime(script.end).c_str(), script.endLine,
                FormatSessionTime(script.end).c_str(), script.end);
  else
    std::printf("length not given: no end line (render it with --seconds)\n");
  return 0;
}

}  // namespace

int64_t SessionFrames(const SessionScript& script, double rate) {
  if (!script.HasEnd())
    throw SessionError(script.file, script.lastLine,
                       "the session has no end line; end it with one (e.g. '30:00 end') or give --seconds");
  const int64_t frames = std::llround(script.end * rate);
  if (frames < 1)
    throw SessionError(script.file, script.endLine,
                       "the session is shorter than one frame at " + std::to_string(static_cast<long>(rate)) + " Hz");
  return frames;
}

void OpenSessionInput(const SessionScript& script, InputFeed& input) {
  try {
    input.Open(script.input, script.loopInput);
  } catch (const ToolError& e) {
    throw SessionError(script.file, script.inputLine, e.what());
  }
}

SessionTimeline ResolveOnPlugin(const SessionScript& script, ToolSession& tool) {
  StateKeeper keep(tool.Plug());
  PluginResolver resolver(tool);
  return ResolveSession(script, resolver);
}

std::unique_ptr<SessionAutomation> AttachSession(const SessionTimeline& timeline, ToolSession& tool,
                                                 RenderSettings* settings) {
  PluginInstance& plug = tool.Plug();
  auto automation =
      std::make_unique<SessionAutomation>(timeline, settings->sampleRate, *plug.Controller(), tool.ProgramChangeId());
  SessionAutomation* a = automation.get();
  settings->blockSize = kSessionBlockFrames;
  settings->automation = [a](int64_t position, int32_t frames, ParameterChanges& changes) {
    a->Changes(position, frames, changes);
  };
  settings->shaping = [a](int64_t position, int32_t frames, double* const* channels) {
    a->ApplyGain(position, frames, channels);
  };
  return automation;
}

std::vector<SessionStepText> DescribeSteps(const SessionTimeline& timeline, ToolSession& tool) {
  const ValueNames names(tool.Plug());
  const std::vector<std::string> programs = tool.ProgramNames();
  std::vector<SessionStepText> texts;
  for (const SessionStep& step : timeline.steps)
    texts.push_back({step.time, "line " + std::to_string(step.line) + " " + StepAction(step, programs, names)});
  return texts;
}

int RunSession(const std::vector<std::string>& args) {
  if (args.empty()) throw UsageError("session needs show");
  std::vector<std::string> rest(args.begin() + 1, args.end());
  if (args[0] == "show") return Show(rest);
  throw UsageError("unknown session command '" + args[0] + "' (show)");
}
