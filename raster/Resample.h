// Resampling a whole bitmap to another size, for artwork shown at a display
// scale: made once per size, never per frame.
//
// Enlarging uses a bicubic (Catmull-Rom) filter, shrinking a Lanczos filter
// of three lobes widened to the reduction, so edges stay sharp without
// ringing far. Colours are filtered weighted by their alpha, so transparent
// pixels lend no colour to the edges of what they surround.
#pragma once

#include "raster/MemBitmap.h"

// A new bitmap of width x height holding source resampled; null when the
// source is missing or empty or a size is not positive.
PX_MemBitmap* PX_Resample(PX_IBitmap* source, int width, int height);
