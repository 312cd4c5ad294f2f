#include "raster/SysBitmap.h"

#include <cstdint>

PX_SysBitmap::PX_SysBitmap(int width, int height) {
  contextReady_ = createContext();
  setSize(width, height);
}

PX_SysBitmap::~PX_SysBitmap() {
  destroySurface();
  destroyContext();
}

bool PX_SysBitmap::setSize(int width, int height) {
  if (!contextReady_) {
    width_ = height_ = 0;
    bits_ = nullptr;
    return false;
  }
  if (width == width_ && height == height_) return false;
  width_ = width;
  height_ = height;
  // A shrink, or a growth within the surface, keeps it (and its stride).
  if (width != 0 && height != 0 && stride_ >= width && allocatedHeight_ >= height && bits_) return true;

  int64_t rounded = (static_cast<int64_t>(width) + 3) & ~int64_t{3};
  stride_ = rounded > INT32_MAX ? 0 : static_cast<int>(rounded);
  allocatedHeight_ = height;
  destroySurface();
  if (stride_ < 1 || height < 1) {
    // Nothing to hold; the bitmap is empty.
    width_ = height_ = 0;
    stride_ = allocatedHeight_ = 0;
    return false;
  }
  if (!createSurface(stride_, height)) {
    width_ = height_ = 0;
    bits_ = nullptr;
  }
  return true;
}
