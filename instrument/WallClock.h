// WallClock: the elapsed-time source used to notice that the host paused.
//
// Audio blocks arriving more than half a second apart mean the host stopped
// calling us (a pause, a seek, a freeze); the engine then re-derives its
// phases from the song position. Tests replace the clock to simulate that.
#pragma once

#include <cstdint>

class WallClock {
 public:
  virtual ~WallClock() = default;
  // Milliseconds since an arbitrary origin; wraps, so compare by unsigned
  // difference.
  virtual uint32_t Milliseconds() = 0;

  // A monotonic real-time clock shared by every instance. Process CPU time
  // would not advance while the host is paused, so it is not used here.
  static WallClock* System();
};
