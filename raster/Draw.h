// Drawing primitives: rectangles, lines, circles, arcs and coverage masks in
// one colour. The colour is the source pixel of the combine formulas; only
// the kind of the mode selects the formula.
#pragma once

#include <cstdint>

#include "raster/Bitmap.h"
#include "raster/Combine.h"

// With PX_COMBINE_SOURCE_ALPHA the opacity is scaled by the colour's alpha.
void PX_FillArea(PX_IBitmap* bitmap, int x, int y, int width, int height, PX_Pixel32 colour, float opacity,
                 uint32_t mode);

// Both end points are drawn.
void PX_LineInt(PX_IBitmap* bitmap, int x1, int y1, int x2, int y2, PX_Pixel32 colour, float opacity,
                uint32_t mode, bool antialias);
void PX_LineFloat(PX_IBitmap* bitmap, float x1, float y1, float x2, float y2, PX_Pixel32 colour,
                  float opacity, uint32_t mode, bool antialias);

void PX_CircleOutline(PX_IBitmap* bitmap, float centreX, float centreY, float radius, PX_Pixel32 colour,
                      float opacity, uint32_t mode, bool antialias);
// With PX_COMBINE_SOURCE_ALPHA the opacity is scaled by the colour's alpha.
void PX_CircleFilled(PX_IBitmap* bitmap, float centreX, float centreY, float radius, PX_Pixel32 colour,
                     float opacity, uint32_t mode, bool antialias);

// Angle 0 points up and angles grow clockwise: the point at angle a is
// (centreX + radius sin a, centreY - radius cos a).
void PX_ArcOutline(PX_IBitmap* bitmap, float centreX, float centreY, float radius, float startAngle,
                   float endAngle, PX_Pixel32 colour, float opacity, uint32_t mode, bool antialias);
void PX_ArcFilled(PX_IBitmap* bitmap, float centreX, float centreY, float radius, float startAngle,
                  float endAngle, PX_Pixel32 colour, float opacity, uint32_t mode, bool antialias);

// Lays an 8-bit coverage mask (0 uncovered, 255 covered; maskStride bytes per
// row) in the colour onto the bitmap with its top-left corner at (x, y).
void PX_BlendCoverage(PX_IBitmap* bitmap, int x, int y, PX_Pixel32 colour, const uint8_t* mask, int maskWidth,
                      int maskStride, int maskHeight, float opacity, uint32_t mode);
