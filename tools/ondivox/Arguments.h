// Arguments: the command line after the command words, as options.
#pragma once

#include <string>
#include <vector>

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
  std::vector<std::string> positional;
};

// Parses args; options not in `allowed` (e.g. "--bundle --set -o") are refused
// with a UsageError naming them.
Arguments ParseArguments(const std::vector<std::string>& args, const std::string& allowed);

// Strict number parsing for option values; UsageError on anything else.
double ParseNumber(const std::string& option, const std::string& text);
