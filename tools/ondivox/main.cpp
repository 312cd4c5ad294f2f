// ondivox: a small VST3 host for the Ondivox bundle: lists what it offers,
// renders programs and sessions to WAV files or plays them live, saves and
// shows state files, and pictures the editor.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/ondivox/Commands.h"
#include "tools/ondivox/FileLimits.h"
#include "tools/ondivox/Interruption.h"
#include "tools/ondivox/ToolError.h"
#include "tools/ondivox/Usage.h"

namespace {

bool IsHelp(const std::string& arg) { return arg == "--help" || arg == "-h"; }

// "ondivox help [COMMAND...]", "ondivox --help" and "ondivox COMMAND... --help".
bool AsksForHelp(const std::vector<std::string>& args, std::string* topic) {
  if (args[0] == "help" || IsHelp(args[0])) {
    for (std::size_t i = 1; i < args.size(); ++i) *topic += (i > 1 ? " " : "") + args[i];
    return true;
  }
  if (std::none_of(args.begin(), args.end(), IsHelp)) return false;
  *topic = args[0];
  if ((args[0] == "state" || args[0] == "session") && args.size() > 1 && !IsHelp(args[1])) *topic += " " + args[1];
  return true;
}

int Help(const std::string& topic) {
  if (topic.empty()) {
    PrintUsage(stdout);
    return 0;
  }
  if (PrintHelp(topic, stdout)) return 0;
  throw UsageError("no command '" + topic + "' (see ondivox --help)");
}

int Run(const std::vector<std::string>& args) {
  std::string topic;
  if (AsksForHelp(args, &topic)) return Help(topic);
  std::vector<std::string> rest(args.begin() + 1, args.end());
  if (args[0] == "info") return RunInfo(rest);
  if (args[0] == "render") return RunRender(rest);
  if (args[0] == "state") return RunState(rest);
  if (args[0] == "snapshot") return RunSnapshot(rest);
  if (args[0] == "session") return RunSession(rest);
  if (args[0] == "play") return RunPlay(rest);
  if (args[0] == "devices") return RunDevices(rest);
  throw UsageError("unknown command '" + args[0] + "' (see ondivox --help)");
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  ReportFileLimitsAsErrors();
  if (args.empty()) {
    PrintUsage(stderr);
    return 2;
  }
  try {
    int code = Run(args);
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
      std::fprintf(stderr, "ondivox: cannot write the standard output\n");
      return 1;
    }
    return code;
  } catch (const ToolError& e) {
    std::fprintf(stderr, "ondivox: %s\n", e.what());
    return e.Interrupted() ? EndAsInterrupted() : e.ExitCode();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "ondivox: %s\n", e.what());
    return 1;
  }
}
