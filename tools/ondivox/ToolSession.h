// ToolSession: the bundle loaded and one plug-in instance opened and set up
// for processing, as every ondivox command needs. A render sets it up again
// for its own rate and block.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tools/host/PluginInstance.h"

class ToolSession {
 public:
  // Loads bundlePath, or the bundle built beside this program when empty.
  explicit ToolSession(const std::string& bundlePath);
  ~ToolSession();

  PluginModule& Module() { return plug->Module(); }
  PluginInstance& Plug() { return *plug; }
  const std::string& BundlePath() const { return bundle; }

  // Selects a program by number or exact name and applies PARAM=VALUE
  // settings, through process() as a host sends them.
  void ApplyProgramAndSettings(const std::string& program, const std::vector<std::string>& sets);
  // The host's program-change parameter; ToolError if the plug-in has none.
  Steinberg::Vst::ParamID ProgramChangeId();
  // Restores a state file (the plug-in's state size, or that of a bypassed state).
  void LoadStateFile(const std::string& path);

  // The program list: names in order.
  std::vector<std::string> ProgramNames();
  // Index of a program given as a number or an exact name; ToolError if none.
  int ProgramIndex(const std::string& text);

 private:
  static std::string FindBundle();

  std::string bundle;
  std::unique_ptr<PluginInstance> plug;
};

// Reads a file, or its first maxBytes bytes; ToolError if it cannot be read.
std::vector<uint8_t> ReadFileBytes(const std::string& path, std::size_t maxBytes);
// Writes a whole file, complete or not at all; ToolError if it cannot.
void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);
