// Clips a line to a width x height area by outcodes, moving one outside end
// at a time onto the edge. T is int64_t (moves truncated) or double.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace px_line {

template <class T>
T cut(double v);
template <>
inline int64_t cut<int64_t>(double v) {
  // Moved ends lie between the two ends; the limit only keeps the conversion defined.
  return static_cast<int64_t>(std::max(-1099511627776.0, std::min(1099511627776.0, std::trunc(v))));
}
template <>
inline double cut<double>(double v) {
  return v;
}

template <class T>
int outcode(T x, T y, int width, int height) {
  return (x < 0 ? 1 : 0) | (x >= width ? 2 : 0) | (y < 0 ? 4 : 0) | (y >= height ? 8 : 0);
}

// False when nothing of the line is inside.
template <class T>
bool clip(T& x1, T& y1, T& x2, T& y2, int width, int height) {
  int c1 = outcode(x1, y1, width, height), c2 = outcode(x2, y2, width, height);
  for (int moves = 0; c1 | c2; ++moves) {
    if ((c1 & c2) || moves == 33) return false;
    bool first = c1 != 0;
    int c = first ? c1 : c2;
    double dx = static_cast<double>(x2) - static_cast<double>(x1);
    double dy = static_cast<double>(y2) - static_cast<double>(y1);
    double fx = static_cast<double>(x1), fy = static_cast<double>(y1);
    T nx, ny;
    if (c & 8) {
      ny = height - 1;
      nx = x1 + cut<T>(dx * (height - fy) / dy);
    } else if (c & 4) {
      ny = 0;
      nx = x1 - cut<T>(dx * fy / dy);
    } else if (c & 2) {
      nx = width - 1;
      ny = y1 + cut<T>(dy * (width - fx) / dx);
    } else {
      nx = 0;
      ny = y1 - cut<T>(dy * fx / dx);
    }
    if (first) {
      x1 = nx, y1 = ny, c1 = outcode(x1, y1, width, height);
    } else {
      x2 = nx, y2 = ny, c2 = outcode(x2, y2, width, height);
    }
  }
  return true;
}

}  // namespace px_line
