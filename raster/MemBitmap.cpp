#include "raster/MemBitmap.h"

#include <cstdint>
#include <cstdlib>

namespace {
// The block carries this many spare bytes so its pixels can start on a
// 64-byte boundary.
constexpr size_t kAlignSpare = 63;
}  // namespace

PX_MemBitmap::PX_MemBitmap(int width, int height, unsigned rowAlign) {
  if (rowAlign > 1) {
    unsigned lowest = rowAlign & (~rowAlign + 1u);
    // Granules above 2^16 pixels are never asked for; cap them there.
    if (lowest > 0x10000u) lowest = 0x10000u;
    alignMask_ = static_cast<int>(lowest - 1);
  }
  if (width > 0 && height > 0) setSize(width, height);
}

PX_MemBitmap::~PX_MemBitmap() { std::free(storage_); }

PX_Pixel32* PX_MemBitmap::pixels() {
  if (!storage_) return nullptr;
  uintptr_t p = (reinterpret_cast<uintptr_t>(storage_) + kAlignSpare) & ~static_cast<uintptr_t>(kAlignSpare);
  return reinterpret_cast<PX_Pixel32*>(p);
}

int PX_MemBitmap::strideFor(int width) const {
  int64_t rounded = (static_cast<int64_t>(width) + alignMask_) & ~static_cast<int64_t>(alignMask_);
  return rounded > INT32_MAX ? INT32_MAX : static_cast<int>(rounded);
}

int PX_MemBitmap::rowStride() { return strideFor(width_); }

bool PX_MemBitmap::setSize(int width, int height) {
  if (width == width_ && height == height_) return false;
  width_ = width;
  height_ = height;
  // Sizes whose bytes do not fit an int cannot be held; they leave the bitmap
  // empty like any other failed allocation.
  int64_t needed = static_cast<int64_t>(height) * strideFor(width) * 4;
  if (needed > 0 && width > 0 && height > 0 && needed <= INT32_MAX) {
    if (!storage_) {
      storage_ = std::malloc(static_cast<size_t>(needed) + kAlignSpare);
      allocated_ = storage_ ? static_cast<int>(needed) : 0;
    } else if (allocated_ < needed) {
      int64_t grown = (needed / 4) * 5;
      if (grown > INT32_MAX) grown = needed;
      void* bigger = std::realloc(storage_, static_cast<size_t>(grown) + kAlignSpare);
      if (bigger) {
        storage_ = bigger;
        allocated_ = static_cast<int>(grown);
      } else {
        std::free(storage_);
        storage_ = std::malloc(static_cast<size_t>(needed) + kAlignSpare);
        allocated_ = storage_ ? static_cast<int>(needed) : 0;
      }
    }
  } else {
    std::free(storage_);
    storage_ = nullptr;
    allocated_ = 0;
  }
  if (!storage_) {
    width_ = 0;
    height_ = 0;
  }
  return true;
}
