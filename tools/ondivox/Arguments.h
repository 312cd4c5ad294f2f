// Arguments: the command line after the command words, as options.
#pragma once

#include <set>
#include <utility>
#include <string>
#include <vector>

#include "tools/ondivox/Usage.h"

struct Arguments {
  std::string bundle;                 // --bundle
  std::string program;                // --program N|NAME
  std::vector<std::string> sets;      // --set PARAM=VALUE, in order
  std::string rate;                   // --rate HZ
  std::string tempo;                  // --tempo BPM
  std::string seconds;                // --seconds S
  std::string input;                  // --input IN.wav
  std::string state;                  // --state FILE
  std::string format;                 // --format 16|24|f32|f64
  std::string output;                 // -o FILE
  std::string blocks;                 // --blocks N
  std::string session;                // --session FILE
  std::string device;                 // --device N|NAME
  std::string latency;                // --latency MS
  std::string normalize;              // --normalize DBFS
  std::string scale;                  // --scale F
  // Repeatable options kept in the order given, with their values
  // (snapshot's --click, --rclick, --drag, --wheel).
  std::vector<std::pair<std::string, std::string>> sequence;
  bool quiet = false;                 // --quiet
  std::vector<std::string> positional;
  std::set<std::string> given;        // the options present, even with an empty value

  bool Has(const std::string& option) const { return given.count(option) != 0; }
};

// Parses args against the command's options; anything else is refused with
// a UsageError that names it and points to the command's help.
Arguments ParseArguments(const std::vector<std::string>& args, const CommandHelp& command);

// Strict number parsing for option values; UsageError on anything else.
double ParseNumber(const std::string& option, const std::string& text);
// An option's number, above 0 and at most max, or fallback when the option
// is absent; UsageError otherwise.
double PositiveOption(const Arguments& a, const std::string& option, const std::string& text, double fallback,
                      double max);
// --tempo, for every command that plays the transport.
double TempoOption(const Arguments& a, double fallback);
