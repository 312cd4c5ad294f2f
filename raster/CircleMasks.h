// Small outline circles come from fixed square coverage masks: at these
// radii the general method cannot place its few pixels as evenly.
#pragma once

#include <cstdint>

namespace px_circle {

// The size x size mask for an outline of exactly this radius (1.5, 2, 2.5,
// 3, 3.5 or 4), or null.
const uint8_t* outlineMask(float radius, bool antialias, int* size);

}  // namespace px_circle
