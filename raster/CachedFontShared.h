// The bitmaps every cached font shares: the glyph render bitmap and the
// scratch bitmap of the system's drawing. Made on first use, deleted with
// the last font.
#pragma once

#include "raster/Bitmap.h"

namespace px_font {

void countFontIn();
void countFontOut();
// The render bitmap, at least minSide pixels both ways (and never below
// 256); null when it cannot be made.
PX_IBitmap* renderBitmap(int minSide);
// The scratch bitmap, at least width x height (and 4 x 4); null when it cannot be made.
PX_IBitmap* scratchBitmap(int width, int height);

}  // namespace px_font
