// Runs the ondivox tool as a user would and collects what it printed.
#pragma once

#include <string>

struct ToolRun {
  int exitCode = -1;  // -1 when a signal ended it
  int signal = 0;     // the signal that ended it, if one did
  std::string out;
  std::string err;
  std::string outBytes;  // the standard output as written (out has LF line ends on Windows)
};

// args is appended to the tool's path as it stands (quote what needs it).
ToolRun RunTool(const std::string& args);
// A fresh scratch folder for one test's files.
std::string ScratchDir(const std::string& name);

// The tool started in the background, to be stopped while it works.
class RunningTool {
 public:
  explicit RunningTool(const std::string& args);
  ~RunningTool();  // kills it if still running
  // Sends signal and waits for the tool to end.
  ToolRun Stop(int signal);

 private:
  long pid = -1;
  std::string out, err;
};
