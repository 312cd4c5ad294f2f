// PX_PixelView: a bitmap's rows in image order as a raw pointer and a signed
// step, taken once per operation so pixel loops never call the interface.
#pragma once

#include <cstddef>

#include "raster/Bitmap.h"

struct PX_PixelView {
  PX_Pixel32* top = nullptr;  // row 0 of the image (the top row)
  ptrdiff_t step = 0;         // pixels from one image row to the next below it
  int width = 0;
  int height = 0;

  // Empty (top null) when the bitmap is missing, has no pixels or no area.
  static PX_PixelView of(PX_IBitmap* bitmap) {
    PX_PixelView v;
    if (!bitmap) return v;
    PX_Pixel32* p = bitmap->pixels();
    int w = bitmap->width(), h = bitmap->height(), stride = bitmap->rowStride();
    if (!p || w <= 0 || h <= 0 || stride < w) return v;
    v.width = w;
    v.height = h;
    if (bitmap->isBottomUp()) {
      v.top = p + static_cast<ptrdiff_t>(h - 1) * stride;
      v.step = -static_cast<ptrdiff_t>(stride);
    } else {
      v.top = p;
      v.step = stride;
    }
    return v;
  }

  bool empty() const { return top == nullptr; }
  PX_Pixel32* row(int y) const { return top + static_cast<ptrdiff_t>(y) * step; }
};
