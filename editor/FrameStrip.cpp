#include "editor/FrameStrip.h"

#include <cmath>

int32_t FrameForValue(int32_t frames, double value) {
  if (frames < 2) return 1;
  double i = std::round((frames - 1) * value) + 1;
  if (!(i >= 1)) return 1;  // also catches NaN
  if (i > frames) return frames;
  return static_cast<int32_t>(i);
}
