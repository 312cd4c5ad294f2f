// IArgb: an editor colour, each channel 0..255, A = 255 opaque.
#pragma once

#include <cstdint>

struct IArgb {
  int32_t A = 255, R = 0, G = 0, B = 0;

  IArgb() = default;
  IArgb(int32_t a, int32_t r, int32_t g, int32_t b) : A(a), R(r), G(g), B(b) {}

  // The raster pixel word 0xAARRGGBB.
  uint32_t Pixel() const {
    return static_cast<uint32_t>(A) << 24 | static_cast<uint32_t>(R) << 16 |
           static_cast<uint32_t>(G) << 8 | static_cast<uint32_t>(B);
  }
  float Opacity() const { return static_cast<float>(A * 0.003921569); }
};
