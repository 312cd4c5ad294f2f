// ToolError: a failure the ondivox tool reports as one line and a non-zero exit.
#pragma once

#include <stdexcept>
#include <string>

class ToolError : public std::runtime_error {
 public:
  explicit ToolError(const std::string& what, int exitCode = 1)
      : std::runtime_error(what), code(exitCode) {}
  int ExitCode() const { return code; }

 private:
  int code;
};

// A mistake in the command line itself (exit code 2).
inline ToolError UsageError(const std::string& what) { return ToolError(what, 2); }
