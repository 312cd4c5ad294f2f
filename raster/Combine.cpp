#include "raster/Combine.h"

#include <array>

namespace px_combine {
namespace {

// R[i] = 65536 / i - 1, R[0] = 0: division by multiplication.
const std::array<int, 256>& reciprocals() {
  static const std::array<int, 256> table = [] {
    std::array<int, 256> t{};
    for (int i = 1; i < 256; ++i) t[i] = 65536 / i - 1;
    return t;
  }();
  return table;
}

// Hue on a circle of 384 steps: six sectors of 64.
int hueOf(int r, int g, int b, int delta) {
  int base, difference;
  if (b >= r && b >= g) {
    base = 256;
    difference = r - g;
  } else if (g > r) {
    base = 128;
    difference = b - r;
  } else {
    base = g >= b ? 0 : 383;
    difference = g - b;
  }
  return base + difference * (reciprocals()[delta] + 1) / 1024;
}

}  // namespace

PX_Pixel32 hsvAdjust(PX_Pixel32 d, const PX_Source& s, int k) {
  int r = PX_Red(d), g = PX_Green(d), b = PX_Blue(d);
  int max = r > g ? (r > b ? r : b) : (g > b ? g : b);
  int min = r < g ? (r < b ? r : b) : (g < b ? g : b);
  int delta = max - min;
  int value = max;
  int saturation = delta * reciprocals()[max] / 256;
  int hue = hueOf(r, g, b, delta);

  hue += k * (s.r + s.r / 2 - 192) / 256;
  // One wrap suffices for weights up to full strength; larger ones may turn further.
  hue = ((hue % 384) + 384) % 384;
  saturation = clamp255(saturation + k * (s.g - 128) / 128);
  value = clamp255(value + k * (s.b - 128) / 128);

  int p = (256 - saturation) * value / 256;
  int position = hue & 63;
  int rising = value * (16384 - saturation * (64 - position)) / 16384;
  int falling = value * (16384 - saturation * position) / 16384;
  switch (hue >> 6) {
    case 0: r = value, g = rising, b = p; break;
    case 1: r = falling, g = value, b = p; break;
    case 2: r = p, g = value, b = rising; break;
    case 3: r = p, g = falling, b = value; break;
    case 4: r = rising, g = p, b = value; break;
    default: r = value, g = p, b = falling; break;
  }
  return PX_Pack(s.a, r, g, b);
}

}  // namespace px_combine

PX_Pixel32 PX_CombinePixel(uint32_t mode, PX_Pixel32 destination, const PX_Source& source, int k) {
  PX_Pixel32 result = destination;
  PX_WithCombineOp(mode, true, [&](auto op) { result = op.blend(destination, source, k); });
  return result;
}
