// Copying pixels between bitmaps: the rectangle copy and the scaled, rotated
// copy. Bad input (missing bitmaps, empty or fully clipped areas, zero
// opacity, an unknown mode) draws nothing.
#pragma once

#include <cstdint>

#include "raster/Bitmap.h"
#include "raster/Combine.h"

// Left, top, right, bottom; right and bottom exclusive.
struct PX_Rect {
  int left, top, right, bottom;
};

// Copies source (the whole bitmap when sourceRect is null) to (x, y) of the
// destination. Kinds 0xF0-0xFF copy one byte per pixel: destination byte
// (mode >> 2) & 3 takes source byte mode & 3.
void PX_CopyArea(PX_IBitmap* destination, PX_IBitmap* source, int x, int y, const PX_Rect* sourceRect,
                 float opacity, uint32_t mode);

void PX_CopyAreaXYWH(PX_IBitmap* destination, PX_IBitmap* source, int x, int y, int sourceX, int sourceY,
                     int width, int height, float opacity, uint32_t mode);

// Draws the source rectangle (floats) into the destination rectangle (ints),
// scaled to fit and turned by angle (radians) about the destination's centre
// shifted by (centreX, centreY). A negative destination width or height
// mirrors. clipToSource keeps samples inside the source rectangle. Filter
// PX_COMBINE_BILINEAR in the mode interpolates between source pixels.
void PX_RotateArea(PX_IBitmap* destination, PX_IBitmap* source, int x, int y, int width, int height,
                   float sourceX, float sourceY, float sourceWidth, float sourceHeight, float angle,
                   bool clipToSource, float opacity, uint32_t mode, float centreX, float centreY);
