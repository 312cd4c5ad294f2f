// The C library's sine and cosine as a trigonometry policy: the wave formulas
// are templates on the policy, so the scalar definition and the render
// kernels' polynomial (FastSine.h) share one formula per wave.
#pragma once

#include <cmath>

struct LibmTrig {
  [[gnu::always_inline]] static double Sin(double x) { return std::sin(x); }
  [[gnu::always_inline]] static double Cos(double x) { return std::cos(x); }
};
