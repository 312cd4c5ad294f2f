// SessionResolver: what a session needs to know from the plug-in to turn
// its words into values: the same lookups the command line's --set and
// --program use. Each throws a std::exception whose message says what is
// wrong with the word.
#pragma once

#include <string>
#include <vector>

#include "pluginterfaces/vst/vsttypes.h"

struct SessionValue {
  Steinberg::Vst::ParamID id = 0;
  double plain = 0.0;
};

class SessionResolver {
 public:
  virtual ~SessionResolver() = default;
  // PARAM=VALUE exactly as --set takes it.
  virtual SessionValue Setting(const std::string& word) = 0;
  // A program number or name, as --program takes it.
  virtual int Program(const std::string& word) = 0;
  // Every parameter's value once that program is selected with the
  // parameters at before (a program may leave some, or all, as they are).
  virtual std::vector<SessionValue> ProgramValues(int program, const std::vector<SessionValue>& before) = 0;
  // Every parameter's value before the session's first line.
  virtual std::vector<SessionValue> StartValues() = 0;
};
