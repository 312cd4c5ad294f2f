// Small bitmaps for raster tests, read and written in image order.
#pragma once

#include <memory>
#include <vector>

#include "raster/MemBitmap.h"
#include "raster/PixelView.h"

// A memory bitmap that stores its rows bottom row first.
class FlippedBitmap : public PX_MemBitmap {
 public:
  FlippedBitmap(int w, int h) : PX_MemBitmap(w, h, 4) {}
  bool isBottomUp() override { return true; }
};

inline void fillAll(PX_IBitmap& b, PX_Pixel32 v) {
  PX_PixelView view = PX_PixelView::of(&b);
  for (int y = 0; y < view.height; ++y)
    for (int x = 0; x < view.width; ++x) view.row(y)[x] = v;
}

inline std::unique_ptr<PX_MemBitmap> makeBitmap(int w, int h, PX_Pixel32 v = 0) {
  auto b = std::make_unique<PX_MemBitmap>(w, h, 4);
  fillAll(*b, v);
  return b;
}

inline PX_Pixel32 pixelAt(PX_IBitmap& b, int x, int y) { return PX_PixelView::of(&b).row(y)[x]; }
inline void setPixel(PX_IBitmap& b, int x, int y, PX_Pixel32 v) { PX_PixelView::of(&b).row(y)[x] = v; }

// Every pixel in image order, row by row.
inline std::vector<PX_Pixel32> pixelsOf(PX_IBitmap& b) {
  std::vector<PX_Pixel32> all;
  PX_PixelView view = PX_PixelView::of(&b);
  for (int y = 0; y < view.height; ++y) all.insert(all.end(), view.row(y), view.row(y) + view.width);
  return all;
}

// Pixels that differ from `background`, as "x,y" texts, for readable failures.
inline std::vector<std::pair<int, int>> changedPixels(PX_IBitmap& b, PX_Pixel32 background) {
  std::vector<std::pair<int, int>> changed;
  PX_PixelView view = PX_PixelView::of(&b);
  for (int y = 0; y < view.height; ++y)
    for (int x = 0; x < view.width; ++x)
      if (view.row(y)[x] != background) changed.emplace_back(x, y);
  return changed;
}
