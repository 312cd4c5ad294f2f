// Constants the engine keeps as exact single-precision bit patterns.
#pragma once

#include <cstdint>
#include <cstring>

inline float FloatFromBits(uint32_t bits) {
  float f;
  std::memcpy(&f, &bits, sizeof f);
  return f;
}
