// Progress: one line on a terminal's standard error while a render runs:
// percent done, time elapsed, an estimate of the time left and the speed
// in multiples of real time. Nothing is drawn when standard error is not a
// terminal, nor in the first moments (a short render shows nothing).
#pragma once

#include <chrono>
#include <string>

#include "tools/ondivox/TerminalLine.h"

class ProgressLine {
 public:
  // audioSeconds: the length being rendered; shown only when enabled.
  ProgressLine(double audioSeconds, bool enabled);
  ~ProgressLine();

  // fraction of the work done, 0 … 1; redrawn a few times a second.
  void Update(double fraction);
  // Erases the line.
  void Clear();

  // The line's text for fraction done after elapsed seconds of work.
  static std::string Text(double fraction, double elapsed, double audioSeconds);

 private:
  using Clock = std::chrono::steady_clock;
  double Seconds(Clock::time_point t) const;

  double audioSeconds;
  bool enabled;
  Clock::time_point start;
  double lastDrawn = -1.0;
  TerminalLine line;
};
