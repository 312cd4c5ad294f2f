// The system bitmap as a DIB section selected into a memory device context,
// so GDI and the raster operations work on the same pixels.
#include <windows.h>

#include "raster/SysBitmap.h"

bool PX_SysBitmap::createContext() {
  memoryDC_ = CreateCompatibleDC(nullptr);
  return memoryDC_ != nullptr;
}

void PX_SysBitmap::destroyContext() {
  if (memoryDC_) DeleteDC(static_cast<HDC>(memoryDC_));
  memoryDC_ = nullptr;
}

bool PX_SysBitmap::createSurface(int stride, int rows) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = 40;
  info.bmiHeader.biWidth = stride;
  info.bmiHeader.biHeight = isBottomUp() ? rows : -rows;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(static_cast<HDC>(memoryDC_), &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!dib || !bits) {
    if (dib) DeleteObject(dib);
    return false;
  }
  dib_ = dib;
  bits_ = static_cast<PX_Pixel32*>(bits);
  previousBitmap_ = SelectObject(static_cast<HDC>(memoryDC_), dib);
  return true;
}

void PX_SysBitmap::destroySurface() {
  if (previousBitmap_ && memoryDC_) SelectObject(static_cast<HDC>(memoryDC_), static_cast<HGDIOBJ>(previousBitmap_));
  previousBitmap_ = nullptr;
  if (dib_) DeleteObject(static_cast<HGDIOBJ>(dib_));
  dib_ = nullptr;
  bits_ = nullptr;
}
