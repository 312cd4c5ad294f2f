#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "ToolRunner.h"

extern char** environ;

namespace {

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string Command(const std::string& args, const std::string& out, const std::string& err) {
  return std::string("'") + ONDIVOX_TOOL_PATH + "' " + args + " >'" + out + "' 2>'" + err + "'";
}

void Collect(int status, ToolRun* run) {
  run->exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run->signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
}

}  // namespace

std::string ScratchDir(const std::string& name) {
  std::string dir = std::string(ONDIVOX_TEST_SCRATCH) + "/" + name;
  std::system(("rm -rf '" + dir + "' && mkdir -p '" + dir + "'").c_str());
  return dir;
}

ToolRun RunTool(const std::string& args) {
  const std::string dir = ONDIVOX_TEST_SCRATCH;
  const std::string out = dir + "/tool.out", err = dir + "/tool.err";
  ToolRun run;
  Collect(std::system(Command(args, out, err).c_str()), &run);
  run.out = run.outBytes = Slurp(out);
  run.err = Slurp(err);
  return run;
}

RunningTool::RunningTool(const std::string& args)
    : out(std::string(ONDIVOX_TEST_SCRATCH) + "/running.out"), err(std::string(ONDIVOX_TEST_SCRATCH) + "/running.err") {
  // exec: the shell becomes the tool, so the signal reaches the tool itself.
  std::string command = "exec " + Command(args, out, err);
  const char* argv[] = {"/bin/sh", "-c", command.c_str(), nullptr};
  pid_t child = -1;
  if (posix_spawn(&child, "/bin/sh", nullptr, nullptr, const_cast<char**>(argv), environ) == 0) pid = child;
}

RunningTool::~RunningTool() {
  if (pid > 0) Stop(SIGKILL);
}

ToolRun RunningTool::Stop(int signal) {
  ToolRun run;
  if (pid <= 0) return run;
  kill(static_cast<pid_t>(pid), signal);
  int status = 0;
  waitpid(static_cast<pid_t>(pid), &status, 0);
  pid = -1;
  Collect(status, &run);
  run.out = Slurp(out);
  run.err = Slurp(err);
  return run;
}
