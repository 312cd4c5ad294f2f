// Turning the framework's plain parameter values into the integers the
// engine compares and applies.
#pragma once

#include <cstdint>

// Rounds half away from zero, saturating at the int range so that no plain
// value, however wild, overflows the conversion.
inline int RoundHalfAway(double x) {
  if (!(x == x)) return 0;
  if (x >= 2147483646.5) return 2147483647;
  if (x <= -2147483648.0) return -2147483647 - 1;
  return static_cast<int>(x >= 0.0 ? x + 0.5 : x - 0.5);
}

// "Base Freq" is applied in tenths of a hertz, "Isochronic" in hundredths,
// everything else in whole units.
inline int QuantizeParam(int index, double plain) {
  if (index == 0) return RoundHalfAway(plain * 10.0);
  if (index == 1) return RoundHalfAway(plain * 100.0);
  return RoundHalfAway(plain);
}
