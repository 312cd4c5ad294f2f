// SessionError: what is wrong with a session file, as "FILE:LINE: what".
#pragma once

#include <stdexcept>
#include <string>

class SessionError : public std::runtime_error {
 public:
  SessionError(const std::string& file, int line, const std::string& what)
      : std::runtime_error(file + ":" + std::to_string(line) + ": " + what) {}
};
