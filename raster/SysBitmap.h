// PX_SysBitmap: a bitmap that the system can draw into as well. On Windows it
// is a 32-bit top-down DIB section selected into its own memory device
// context for its whole life; elsewhere it is plain memory with no context.
#pragma once

#include "raster/Bitmap.h"

class PX_SysBitmap : public PX_IBitmap {
 public:
  PX_SysBitmap(int width, int height);
  ~PX_SysBitmap() override;
  PX_SysBitmap(const PX_SysBitmap&) = delete;
  PX_SysBitmap& operator=(const PX_SysBitmap&) = delete;

  PX_Pixel32* pixels() override { return bits_; }
  int width() override { return width_; }
  int height() override { return height_; }
  int rowStride() override { return stride_; }
  bool setSize(int width, int height) override;
  PX_DeviceContext deviceContext() override { return memoryDC_; }

 private:
  // Platform parts: the context, and a surface of stride x rows pixels that
  // is bound to the context while it lives.
  bool createContext();
  void destroyContext();
  bool createSurface(int stride, int rows);
  void destroySurface();

  bool contextReady_ = false;
  int width_ = 0;
  int height_ = 0;
  void* memoryDC_ = nullptr;
  PX_Pixel32* bits_ = nullptr;
  int stride_ = 0;
  int allocatedHeight_ = 0;
  void* dib_ = nullptr;
  void* previousBitmap_ = nullptr;
};
