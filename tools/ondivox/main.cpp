// ondivox: a small VST3 host for the Ondivox bundle: lists what it offers,
// renders programs to WAV files, and saves and shows state files.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/ondivox/Commands.h"
#include "tools/ondivox/ToolError.h"
#include "tools/snapshot/SnapshotCommand.h"

namespace {

const char kUsage[] =
    "usage:\n"
    "  ondivox info     [--bundle PATH]\n"
    "  ondivox render   [--bundle PATH] [--program N|NAME] [--set PARAM=VALUE]... [--rate HZ]\n"
    "                   [--tempo BPM] [--seconds S] [--input IN.wav] [--state FILE]\n"
    "                   [--format 16|24|f32|f64] -o OUT.wav\n"
    "  ondivox state save [--bundle PATH] [--program N|NAME] [--set PARAM=VALUE]... -o FILE\n"
    "  ondivox state show [--bundle PATH] FILE\n";

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty() || args[0] == "-h" || args[0] == "--help" || args[0] == "help") {
    std::fputs(kUsage, args.empty() ? stderr : stdout);
    std::fputs(kSnapshotUsage, args.empty() ? stderr : stdout);
    return args.empty() ? 2 : 0;
  }
  std::vector<std::string> rest(args.begin() + 1, args.end());
  try {
    if (args[0] == "info") return RunInfo(rest);
    if (args[0] == "render") return RunRender(rest);
    if (args[0] == "state") return RunState(rest);
    if (args[0] == "snapshot") return RunSnapshot(rest);
    throw UsageError("unknown command '" + args[0] + "'");
  } catch (const ToolError& e) {
    std::fprintf(stderr, "ondivox: %s\n", e.what());
    if (e.ExitCode() == 2) std::fputs(kUsage, stderr);
    return e.ExitCode();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "ondivox: %s\n", e.what());
    return 1;
  }
}
