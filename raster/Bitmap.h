// PX_IBitmap: a rectangle of PX_Pixel32 words reachable through a pointer.
// Every raster operation takes its bitmaps through this interface, so code
// works on memory and system bitmaps alike.
#pragma once

#include <cstdint>

#include "raster/Pixel.h"

// A GDI device context on Windows; nothing on other systems.
typedef void* PX_DeviceContext;

class PX_IBitmap {
 public:
  virtual ~PX_IBitmap() = default;
  // First byte of the first row in memory; null when there is no storage.
  virtual PX_Pixel32* pixels() = 0;
  virtual int width() = 0;
  virtual int height() = 0;
  // Pixels from the start of one row to the next; never less than the width.
  virtual int rowStride() = 0;
  // True when the first row in memory is the bottom row of the image.
  virtual bool isBottomUp() { return false; }
  // True if the size changed.
  virtual bool setSize(int width, int height) = 0;
  virtual PX_DeviceContext deviceContext() { return nullptr; }
  // Extension queries by code; none are answered by the bitmaps themselves.
  virtual intptr_t extended(int32_t /*code*/, intptr_t /*argument*/) { return 0; }
};
