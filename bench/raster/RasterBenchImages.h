// The pictures the raster benchmarks draw with, shared by ours and pixman's.
#pragma once

#include <cmath>
#include <memory>

#include "raster/MemBitmap.h"

constexpr int kSize = 256;

// Artwork-like source: an opaque disc with a soft edge on a transparent
// ground, the shape of the editor's knobs and buttons.
inline std::unique_ptr<PX_MemBitmap> artwork(int size) {
  auto b = std::make_unique<PX_MemBitmap>(size, size, 4);
  double r = size * 0.45, c = (size - 1) * 0.5;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      double edge = r - std::hypot(x - c, y - c);
      int a = edge >= 1 ? 255 : (edge <= 0 ? 0 : static_cast<int>(edge * 255));
      b->pixels()[y * b->rowStride() + x] =
          static_cast<PX_Pixel32>(a) << 24 | (x * 7 & 0xFF) << 16 | (y & 0xFF) << 8 | 0x40;
    }
  return b;
}

inline std::unique_ptr<PX_MemBitmap> surface(int size) {
  auto b = std::make_unique<PX_MemBitmap>(size, size, 4);
  for (int i = 0; i < size * b->rowStride(); ++i) b->pixels()[i] = 0xFF203040;
  return b;
}
