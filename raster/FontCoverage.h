// Turning a rendered glyph cell (white on black) into stored coverage: the
// optional blur of the cell, the coverage taken from its red byte with blank
// columns trimmed, the quarter turn of vertical fonts, and the thresholding
// with shadow or outline.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "raster/Pixel.h"

// One glyph's coverage, one byte per pixel, rows of `width` bytes.
struct PX_GlyphCoverage {
  std::vector<uint8_t> bytes;
  int width = 0;
  int height = 0;
  int leftOffset = 0;  // columns the first stored column lies left of the pen

  uint8_t& at(int x, int y) { return bytes[static_cast<size_t>(y) * width + x]; }
};

// Blurs a cell in place: each pixel becomes half itself plus an eighth of
// each of its four neighbours; at an edge the missing neighbour's eighth goes
// to the opposite one. `step` is pixels from one row to the next.
void PX_BlurCell(PX_Pixel32* top, ptrdiff_t step, int width, int height);

// Takes the red byte of each cell pixel (inverted when asked). The pen sits
// at column `origin`; blank columns are trimmed at the left (at most origin
// of them) and right of the last covered one, keeping `margin` blank columns
// on each side where the cell has them.
void PX_TakeCoverage(const PX_Pixel32* top, ptrdiff_t step, int width, int height, bool invert, int origin,
                     int margin, PX_GlyphCoverage* out);

// A quarter turn, clockwise (the first column becomes the top row) or
// counter-clockwise (the first column becomes the bottom row).
void PX_TurnCoverage(PX_GlyphCoverage* glyph, bool counterClockwise);

// Coverage above 130 becomes 255, the rest 0.
void PX_ThresholdCoverage(PX_GlyphCoverage* glyph);
// After thresholding: empty pixels whose left, upper-left or upper neighbour
// is full become 128.
void PX_AddShadow(PX_GlyphCoverage* glyph);
// After thresholding: empty pixels with a full neighbour above, below, left
// or right become 128.
void PX_AddOutline(PX_GlyphCoverage* glyph);
