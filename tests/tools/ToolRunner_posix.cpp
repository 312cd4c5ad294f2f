#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "ToolRunner.h"

namespace {

std::string Slurp(const std::string& path) {
  std::ifstream in(path);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
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
  std::string command = std::string("'") + ONDIVOX_TOOL_PATH + "' " + args + " >'" + out + "' 2>'" + err + "'";
  int status = std::system(command.c_str());
  ToolRun run;
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = Slurp(out);
  run.err = Slurp(err);
  return run;
}
