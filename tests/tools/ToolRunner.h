// Runs the ondivox tool as a user would and collects what it printed.
#pragma once

#include <string>

struct ToolRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// args is appended to the tool's path as it stands (quote what needs it).
ToolRun RunTool(const std::string& args);
// A fresh scratch folder for one test's files.
std::string ScratchDir(const std::string& name);
