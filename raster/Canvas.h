// PX_Canvas: where a primitive may write. Rows are addressed as the
// primitive counts them (memory order for those that mirror y themselves,
// image order otherwise) and every write is clipped to the clip rectangle,
// which never exceeds the bitmap.
#pragma once

#include <algorithm>
#include <cstdint>

#include "raster/PixelView.h"

struct PX_Canvas {
  PX_Pixel32* first = nullptr;
  ptrdiff_t step = 0;
  int width = 0, height = 0;
  int clipLeft = 0, clipTop = 0, clipRight = 0, clipBottom = 0;  // right, bottom exclusive

  // Rows in memory order: y = 0 is the first row in memory.
  static PX_Canvas memoryOrder(PX_IBitmap* bitmap) {
    PX_Canvas c;
    PX_PixelView v = PX_PixelView::of(bitmap);
    if (v.empty()) return c;
    c.first = bitmap->pixels();
    c.step = bitmap->rowStride();
    c.width = c.clipRight = v.width;
    c.height = c.clipBottom = v.height;
    return c;
  }
  bool empty() const { return first == nullptr; }

  // Narrows the clip to the rectangle (right and bottom exclusive).
  void clipTo(int64_t left, int64_t top, int64_t right, int64_t bottom) {
    clipLeft = static_cast<int>(std::max<int64_t>(clipLeft, left));
    clipTop = static_cast<int>(std::max<int64_t>(clipTop, top));
    clipRight = static_cast<int>(std::min<int64_t>(clipRight, right));
    clipBottom = static_cast<int>(std::min<int64_t>(clipBottom, bottom));
  }
  bool inside(int64_t x, int64_t y) const { return x >= clipLeft && x < clipRight && y >= clipTop && y < clipBottom; }
  PX_Pixel32& at(int64_t x, int64_t y) const { return first[y * step + x]; }

  template <class Pen>
  void point(int64_t x, int64_t y, const Pen& pen) const {
    if (inside(x, y)) pen.plot(at(x, y));
  }
  template <class Pen>
  void pointAt(int64_t x, int64_t y, const Pen& pen, int k) const {
    if (k != 0 && inside(x, y)) pen.plotAt(at(x, y), k);
  }
  // Pixels x0..x1 (inclusive) of row y.
  template <class Pen>
  void span(int64_t y, int64_t x0, int64_t x1, const Pen& pen) const {
    if (y < clipTop || y >= clipBottom) return;
    x0 = std::max<int64_t>(x0, clipLeft);
    x1 = std::min<int64_t>(x1, clipRight - 1);
    PX_Pixel32* row = first + y * step;
    for (int64_t x = x0; x <= x1; ++x) pen.plot(row[x]);
  }
  // Pixels y0..y1 (inclusive) of column x.
  template <class Pen>
  void column(int64_t x, int64_t y0, int64_t y1, const Pen& pen) const {
    if (x < clipLeft || x >= clipRight) return;
    y0 = std::max<int64_t>(y0, clipTop);
    y1 = std::min<int64_t>(y1, clipBottom - 1);
    for (int64_t y = y0; y <= y1; ++y) pen.plot(first[y * step + x]);
  }
};
