// The scalar definitions of the copies that have vector paths, for the tests
// that hold the vector paths to them and for the benchmark.
#pragma once

#include "raster/Blit.h"

// PX_RotateArea with the bilinear filter sampled channel by channel and
// "over" laid pixel by pixel.
void PX_RotateAreaReference(PX_IBitmap* destination, PX_IBitmap* source, int x, int y, int width, int height,
                            float sourceX, float sourceY, float sourceWidth, float sourceHeight, float angle,
                            bool clipToSource, float opacity, uint32_t mode, float centreX, float centreY);
