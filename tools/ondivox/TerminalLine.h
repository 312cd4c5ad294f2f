// TerminalLine: one line of standard error redrawn in place (a render's
// progress, a player's status), and the clock times it shows.
#pragma once

#include <cstddef>
#include <string>

class TerminalLine {
 public:
  ~TerminalLine() { Clear(); }
  // Replaces what the line shows, padding over a longer text drawn before.
  void Draw(const std::string& text);
  // Erases the line.
  void Clear();

 private:
  std::size_t width = 0;  // of what is on the line
};

// "m:ss", or "h:mm:ss" from an hour on, to the nearest second.
std::string ClockText(double seconds);
