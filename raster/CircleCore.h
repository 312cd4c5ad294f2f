// The circle drawing shared by circles and arcs (an arc is a circle drawn
// through a clip rectangle per quarter turn).
#pragma once

#include <cstdint>

#include "raster/Canvas.h"

namespace px_circle {

// Radii beyond this draw nothing: no bitmap of the program comes near it, and
// it bounds the work of one call.
constexpr float kMaxRadius = 65536.0f;

// centreY counts rows in the canvas's (memory) order. alpha is the weight in
// 1/256 units; the canvas's clip limits every write.
void draw(const PX_Canvas& canvas, float centreX, float centreY, float radius, PX_Pixel32 colour, int alpha,
          uint32_t mode, bool antialias, bool filled);

}  // namespace px_circle
