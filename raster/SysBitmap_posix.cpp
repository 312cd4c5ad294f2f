// Without a windowing system a system bitmap is plain memory; the context is
// none (GDI-style drawing has no counterpart here).
#include <cstdlib>

#include "raster/SysBitmap.h"

bool PX_SysBitmap::createContext() {
  memoryDC_ = nullptr;
  return true;
}

void PX_SysBitmap::destroyContext() {}

bool PX_SysBitmap::createSurface(int stride, int rows) {
  size_t bytes = static_cast<size_t>(stride) * static_cast<size_t>(rows) * 4;
  dib_ = std::malloc(bytes);
  bits_ = static_cast<PX_Pixel32*>(dib_);
  return bits_ != nullptr;
}

void PX_SysBitmap::destroySurface() {
  std::free(dib_);
  dib_ = nullptr;
  bits_ = nullptr;
}
