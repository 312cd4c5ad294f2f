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
#include "tools/ondivox/SessionRendering.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

// Titles, units and display texts for the values a step leads to.
class ValueNames {
 public:
  explicit ValueNames(PluginInstance& plug) : plug(plug) {
    for (int32 i = 0; i < plug.ParamCount(); ++i) {
      ParameterInfo info;
      if (plug.ParamInfo(i, info)) infos[info.id] = info;
    }
  }

  std::string Title(ParamID id) const {
    switch (id) {
      case kFadeGainId: return "gain";
      case kLevelId: return "level";
      case kBalanceId: return "balance";
      default: return NarrowText(infos.at(id).title);
    }
  }

  // The plug-in's own display text, with the units.
  std::string Value(ParamID id, double plain) const {
    char text[32];
    if (id == kFadeGainId || id == kLevelId || id == kBalanceId) {
      std::snprintf(text, sizeof text, id == kLevelId ? "%.1f dB" : id == kBalanceId ? "%.0f" : "%.2f", plain);
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

// What a step does: its layer, word, program and span, then the values it leads to.
std::string StepAction(const SessionScript& script, const SessionStep& step, const std::vector<std::string>& programs,
                       const ValueNames& names) {
  std::string head = (step.prefixed ? script.layers[step.layer].name + ": " : "") + step.word;
  if (step.program >= 0) head += " " + std::to_string(step.program) + " \"" + programs[step.program] + "\"";
  if (step.duration > 0.0)
    head += " " + FormatSessionTime(step.duration) + " until " + FormatSessionTime(step.time + step.duration);
  std::string values;
  for (const SessionMove& m : step.moves)
    if (m.id != kStartId) values += (values.empty() ? "" : ", ") + MoveText(step, m, names);
  if (step.program >= 0 && values.empty()) values = "no value changes";
  return head + (values.empty() ? "" : ": ") + values;
}

void PrintStep(const SessionScript& script, const SessionStep& step, const std::vector<std::string>& programs,
               const ValueNames& names) {
  std::printf("%12s  line %-4d %s\n", FormatSessionTime(step.time).c_str(), step.line,
              StepAction(script, step, programs, names).c_str());
}

// A background file checked and described: "rain.ogg (2:41.300 at 44100 Hz, looped, resampled to 48000 Hz)".
std::string InputText(const std::string& name, const BackgroundFeed& feed, double rate) {
  char text[96];
  std::snprintf(text, sizeof text, " at %u Hz%s%s", feed.Rate(), feed.Looped() ? ", looped" : "",
                rate != feed.Rate() ? (", resampled to " + std::to_string(static_cast<long>(rate)) + " Hz").c_str() : "");
  return name + " (" + feed.Format() + ", " + FormatSessionTime(static_cast<double>(feed.Frames()) / feed.Rate()) +
         text + ")";
}

// The header's settings, its input checked and described, as " 48000 Hz, ... ,".
std::string HeaderText(const SessionScript& script, double rate) {
  char text[64];
  std::string header;
  if (script.rate > 0) header += " " + std::to_string(static_cast<long>(script.rate)) + " Hz,";
  if (script.tempo > 0) {
    std::snprintf(text, sizeof text, " %g BPM,", script.tempo);
    header += text;
  }
  if (script.hasSeed) header += " seed " + std::to_string(static_cast<unsigned long long>(script.seed)) + ",";
  if (script.input.empty()) return header;
  BackgroundFeed input;
  OpenSessionInput(script, input);
  return header + " input " + InputText(script.input, input, rate) + ",";
}

// One line per layer after main, as declared and checked.
void PrintLayers(const SessionScript& script, double rate) {
  for (std::size_t i = 1; i < script.layers.size(); ++i) {
    const SessionLayer& layer = script.layers[i];
    std::string what = layer.kind == LayerKind::kVoice ? "voice" : "noise " + layer.colour;
    if (layer.kind == LayerKind::kInput) {
      BackgroundFeed feed;
      OpenLayerInput(script, layer, feed);
      what = "input " + InputText(layer.file, feed, rate);
    }
    std::printf("  layer %-10s line %-4d %s\n", layer.name.c_str(), layer.line, what.c_str());
  }
}

// The rate a render of script runs at without --rate.
double SessionRate(const SessionScript& script) {
  if (script.rate > 0) return script.rate;
  if (script.input.empty()) return 48000.0;
  BackgroundFeed input;
  OpenSessionInput(script, input);
  return input.Rate();
}

int Show(const std::vector<std::string>& args) {
  Arguments a = ParseArguments(args, *FindCommand("session show"));
  if (a.positional.size() != 1) throw UsageError("session show needs one FILE");
  const SessionScript script = ReadSessionScript(a.positional[0]);
  ToolSession tool(a.bundle);
  if (a.Has("--state")) tool.LoadStateFile(a.state);
  tool.ApplyProgramAndSettings(a.program, a.sets);
  const double rate = SessionRate(script);
  const std::string header = HeaderText(script, rate);
  const SessionVoices voices(script, tool);
  const SessionTimeline timeline = ResolveLayers(script, voices);

  const ValueNames names(tool.Plug());
  const std::vector<std::string> programs = tool.ProgramNames();
  std::printf("%s:%s", script.file.c_str(), header.c_str());
  std::printf(" %zu steps\n", timeline.steps.size());
  PrintLayers(script, rate);
  for (const SessionStep& step : timeline.steps) PrintStep(script, step, programs, names);
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

void OpenSessionInput(const SessionScript& script, BackgroundFeed& input) {
  try {
    input.Open(script.input, script.loopInput);
  } catch (const std::exception& e) {
    throw SessionError(script.file, script.inputLine, e.what());
  }
}

std::unique_ptr<SessionRendering> AttachSession(const SessionScript& script, ToolSession& tool,
                                                RenderSettings* settings) {
  auto rendering = std::make_unique<SessionRendering>(script, tool, *settings);
  rendering->Attach(settings);
  return rendering;
}

std::vector<SessionStepText> DescribeSteps(const SessionScript& script, const SessionTimeline& timeline,
                                           ToolSession& tool) {
  const ValueNames names(tool.Plug());
  const std::vector<std::string> programs = tool.ProgramNames();
  std::vector<SessionStepText> texts;
  for (const SessionStep& step : timeline.steps)
    texts.push_back({step.time, "line " + std::to_string(step.line) + " " + StepAction(script, step, programs, names)});
  return texts;
}

int RunSession(const std::vector<std::string>& args) {
  if (args.empty()) throw UsageError("session needs show");
  std::vector<std::string> rest(args.begin() + 1, args.end());
  if (args[0] == "show") return Show(rest);
  throw UsageError("unknown session command '" + args[0] + "' (show)");
}
