#include "raster/CachedFontShared.h"

#include <algorithm>

#include "raster/FontSystem.h"
#include "raster/SysBitmap.h"

namespace px_font {
namespace {

// Unguarded: fonts live on the editor's window thread.
int liveFonts = 0;
PX_SysBitmap* render = nullptr;
PX_SysBitmap* scratch = nullptr;

// Grows (never shrinks) a shared bitmap; true when its size changed.
bool growShared(PX_SysBitmap** bitmap, int width, int height) {
  if (!*bitmap) *bitmap = new PX_SysBitmap(0, 0);
  PX_SysBitmap* b = *bitmap;
  if (b->pixels() && b->width() >= width && b->height() >= height) return false;
  b->setSize(std::max(b->width(), width), std::max(b->height(), height));
  return true;
}

}  // namespace

void countFontIn() { ++liveFonts; }

void countFontOut() {
  if (--liveFonts > 0) return;
  liveFonts = 0;
  delete render;
  delete scratch;
  render = scratch = nullptr;
}

PX_IBitmap* renderBitmap(int minSide) {
  int side = std::max(256, minSide);
  if (growShared(&render, side, side)) prepareRenderBitmap(render);
  return render->pixels() ? render : nullptr;
}

PX_IBitmap* scratchBitmap(int width, int height) {
  growShared(&scratch, std::max(4, width), std::max(4, height));
  return scratch->pixels() ? scratch : nullptr;
}

}  // namespace px_font
