// IRect: a rectangle in editor pixels, origin top-left.
//
// R and B are one past the last column and row when drawing, yet Contains
// treats all four edges as inside (hit areas include their far edge). A
// rectangle is empty only when all four fields are 0.
#pragma once

#include <cstdint>

struct IRect {
  int32_t L = 0, T = 0, R = 0, B = 0;

  IRect() = default;
  IRect(int32_t l, int32_t t, int32_t r, int32_t b) : L(l), T(t), R(r), B(b) {}

  bool Empty() const { return L == 0 && T == 0 && R == 0 && B == 0; }
  int32_t W() const { return R - L; }
  int32_t H() const { return B - T; }
  bool Contains(int32_t x, int32_t y) const { return L <= x && x <= R && T <= y && y <= B; }
  bool Intersects(const IRect& o) const;
  IRect Union(const IRect& o) const;
  IRect Intersect(const IRect& o) const;
  IRect Moved(int32_t dx, int32_t dy) const { return IRect(L + dx, T + dy, R + dx, B + dy); }

  bool operator==(const IRect& o) const { return L == o.L && T == o.T && R == o.R && B == o.B; }
  bool operator!=(const IRect& o) const { return !(*this == o); }
};
