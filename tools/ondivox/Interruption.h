// Interruption: Ctrl+C, a closing terminal or console, or a request to
// terminate, turned into a flag that a long operation checks between its
// steps, so it can remove what it had half written before the program ends.
#pragma once

// While one exists, an interruption only raises the flag; before and after,
// it ends the program at once as usual.
class InterruptionWatch {
 public:
  InterruptionWatch();
  ~InterruptionWatch();
  InterruptionWatch(const InterruptionWatch&) = delete;
  InterruptionWatch& operator=(const InterruptionWatch&) = delete;

  static bool Requested();
};

// Ends the program as the interruption that was noticed would have (so a
// calling shell sees it); answers the exit code to return where the
// platform has no such way.
int EndAsInterrupted();
