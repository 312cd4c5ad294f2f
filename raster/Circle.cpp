#include <cmath>

#include "raster/CircleCore.h"
#include "raster/CircleMasks.h"
#include "raster/Draw.h"

namespace {

// False for bad input and for circles more than 2 pixels clear of the bitmap.
bool worthDrawing(PX_IBitmap* bitmap, float centreX, float centreY, float radius) {
  if (!bitmap || bitmap->width() <= 0 || bitmap->height() <= 0) return false;
  if (!(radius >= 0) || radius > px_circle::kMaxRadius) return false;
  double x = centreX, y = centreY, r = radius;
  if (!std::isfinite(x) || !std::isfinite(y)) return false;
  return x + r >= -2 && y + r >= -2 && x - r <= bitmap->width() + 2 && y - r <= bitmap->height() + 2;
}

void drawCircle(PX_IBitmap* bitmap, float centreX, float centreY, float radius, PX_Pixel32 colour, float opacity,
                uint32_t mode, bool antialias, bool filled) {
  PX_Canvas canvas = PX_Canvas::memoryOrder(bitmap);
  if (canvas.empty()) return;
  if (bitmap->isBottomUp()) centreY = static_cast<float>(canvas.height - 1) - centreY;
  px_circle::draw(canvas, centreX, centreY, radius, colour, PX_WeightTrunc(opacity), mode, antialias, filled);
}

}  // namespace

void PX_CircleOutline(PX_IBitmap* bitmap, float centreX, float centreY, float radius, PX_Pixel32 colour,
                      float opacity, uint32_t mode, bool antialias) {
  if (!worthDrawing(bitmap, centreX, centreY, radius)) return;
  int size = 0;
  if (const uint8_t* mask = px_circle::outlineMask(radius, antialias, &size)) {
    PX_BlendCoverage(bitmap, static_cast<int>(centreX - radius), static_cast<int>(centreY - radius), colour, mask,
                     size, size, size, opacity, mode);
    return;
  }
  drawCircle(bitmap, centreX, centreY, radius, colour, opacity, mode, antialias, false);
}

void PX_CircleFilled(PX_IBitmap* bitmap, float centreX, float centreY, float radius, PX_Pixel32 colour,
                     float opacity, uint32_t mode, bool antialias) {
  if (!worthDrawing(bitmap, centreX, centreY, radius)) return;
  if (PX_CombineHasSourceAlpha(mode)) opacity *= static_cast<float>(colour >> 24) * 0.003921569f;
  drawCircle(bitmap, centreX, centreY, radius, colour, opacity, mode, antialias, true);
}
