// ondivox state save|show: the plug-in's state as a file.
#include <cstdio>

#include "tools/ondivox/Arguments.h"
#include "tools/ondivox/Commands.h"
#include "tools/ondivox/ToolError.h"
#include "tools/ondivox/ToolSession.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

int Save(const std::vector<std::string>& args) {
  Arguments a = ParseArguments(args, *FindCommand("state save"));
  if (a.output.empty()) throw UsageError("state save needs -o FILE");
  if (!a.positional.empty()) throw UsageError("unexpected argument '" + a.positional[0] + "'");
  ToolSession session(a.bundle);
  session.ApplyProgramAndSettings(a.program, a.sets);
  std::vector<uint8_t> state = session.Plug().SaveState();
  if (state.empty()) throw ToolError("the plug-in gave no state");
  WriteFileBytes(a.output, state);
  std::printf("wrote %s: %zu bytes of state\n", a.output.c_str(), state.size());
  return 0;
}

int Show(const std::vector<std::string>& args) {
  Arguments a = ParseArguments(args, *FindCommand("state show"));
  if (a.positional.size() != 1) throw UsageError("state show needs one FILE");
  ToolSession session(a.bundle);
  session.LoadStateFile(a.positional[0]);
  PluginInstance& plug = session.Plug();
  std::printf("%s:\n", a.positional[0].c_str());
  for (int32 i = 0; i < plug.ParamCount(); ++i) {
    ParameterInfo info;
    if (!plug.ParamInfo(i, info) || (info.flags & ParameterInfo::kIsProgramChange)) continue;
    double n = plug.Controller()->getParamNormalized(info.id);
    std::printf("  %3u  %-14s %s %s\n", info.id, NarrowText(info.title).c_str(),
                plug.ValueText(info.id, n).c_str(), NarrowText(info.units).c_str());
  }
  return 0;
}

}  // namespace

int RunState(const std::vector<std::string>& args) {
  if (args.empty()) throw UsageError("state needs save or show");
  std::vector<std::string> rest(args.begin() + 1, args.end());
  if (args[0] == "save") return Save(rest);
  if (args[0] == "show" || args[0] == "load") return Show(rest);
  throw UsageError("unknown state command '" + args[0] + "' (save or show)");
}
