// ToolError: a failure the ondivox tool reports as one line and a non-zero exit.
#pragma once

#include <stdexcept>
#include <string>

class ToolError : public std::runtime_error {
 public:
  explicit ToolError(const std::string& what, int exitCode = 1, bool interruption = false)
      : std::runtime_error(what), code(exitCode), interrupted(interruption) {}
  int ExitCode() const { return code; }
  // The user interrupted the command; the program ends as interrupted.
  bool Interrupted() const { return interrupted; }

 private:
  int code;
  bool interrupted;
};

// A mistake in the command line itself (exit code 2).
inline ToolError UsageError(const std::string& what) { return ToolError(what, 2); }
inline ToolError InterruptedError(const std::string& what) { return ToolError(what, 130, true); }
