// PX_MemBitmap: a bitmap in heap memory with 64-byte aligned pixels and rows
// rounded to a granule. Its block only grows (with 25 % head-room) so that
// repeated resizes do not reallocate.
#pragma once

#include "raster/Bitmap.h"

class PX_MemBitmap : public PX_IBitmap {
 public:
  // rowAlign: rows are rounded up to the lowest set bit of rowAlign pixels.
  PX_MemBitmap(int width, int height, unsigned rowAlign);
  ~PX_MemBitmap() override;
  PX_MemBitmap(const PX_MemBitmap&) = delete;
  PX_MemBitmap& operator=(const PX_MemBitmap&) = delete;

  PX_Pixel32* pixels() override;
  int width() override { return width_; }
  int height() override { return height_; }
  int rowStride() override;
  bool setSize(int width, int height) override;

  // Pixel bytes the block holds (without the alignment spare).
  int allocatedBytes() const { return allocated_; }

 private:
  int strideFor(int width) const;

  void* storage_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  int allocated_ = 0;
  int alignMask_ = 0;
};
