// The combine formulas on chosen pixels, through the rectangle copy of one
// pixel (the path every kind shares with the editor's drawing).
#include <gtest/gtest.h>

#include <iomanip>

#include "RasterTestUtil.h"
#include "raster/Blit.h"

namespace {

PX_Pixel32 combine(PX_Pixel32 source, PX_Pixel32 destination, float opacity, uint32_t mode) {
  auto s = makeBitmap(1, 1, source), d = makeBitmap(1, 1, destination);
  PX_CopyArea(d.get(), s.get(), 0, 0, nullptr, opacity, mode);
  return pixelAt(*d, 0, 0);
}

struct Case {
  const char* what;
  PX_Pixel32 source, destination;
  float opacity;
  uint32_t mode;
  PX_Pixel32 expected;
};

const Case kCases[] = {
    {"copy, full opacity copies all four bytes", 0x12345678, 0xFFFFFFFF, 1.0f, 0x0, 0x12345678},
    {"copy at 0.5 takes the averaging shortcut", 0xFFFFFFFF, 0x00000000, 0.5f, 0x0, 0x7F7F7F7F},
    {"copy at 0.75 by formula", 0xFFFFFFFF, 0x00000000, 0.75f, 0x0, 0xC0C0C0C0},
    {"copy, source alpha 0 leaves the pixel", 0x00FF0000, 0x11223344, 1.0f, 0x10000, 0x11223344},
    {"copy, source alpha 255 replaces colour and sets alpha", 0xFFAABBCC, 0x10203040, 1.0f, 0x10000, 0xFFAABBCC},
    {"copy, alpha 128 over alpha 200 gives 255", 0x80FF0000, 0xC80000FF, 1.0f, 0x10000, 0xFF81007E},
    {"copy with source alpha at 0.5", 0xFFFF0000, 0x000000FF, 0.5f, 0x10000, 0x8080007F},
    {"add at full opacity clamps", 0x00808080, 0x00A0A0A0, 1.0f, 0x1, 0x00FFFFFF},
    {"add at -1 subtracts", 0x00808080, 0x00A0A0A0, -1.0f, 0x1, 0x00202020},
    {"add at -1 clamps at 0", 0x00FFFFFF, 0x00101010, -1.0f, 0x1, 0x00000000},
    {"add with source alpha 0 is skipped", 0x00FFFFFF, 0x00101010, 1.0f, 0x10001, 0x00101010},
    {"multiply by white loses one step", 0xFFFFFFFF, 0xFFFFFFFF, 1.0f, 0x3, 0xFEFEFEFE},
    {"multiply by black", 0x00000000, 0x80808080, 1.0f, 0x3, 0x00000000},
    {"dodge with 255 saturates non-zero channels", 0xFFFFFFFF, 0x00010203, 1.0f, 0x2, 0x00FFFFFF},
    {"dodge with 128 doubles", 0x80808080, 0x10101010, 1.0f, 0x2, 0x20202020},
    {"overlay with 128 changes nothing", 0x80808080, 0x12345678, 1.0f, 0x4, 0x12345678},
    {"hsv with neutral source keeps red, takes source alpha", 0x80808080, 0x00FF0000, 1.0f, 0x5, 0x80FF0000},
    {"hsv turns red a third of the circle towards green", 0xFFD58080, 0x00FF0000, 1.0f, 0x5, 0xFF04FF00},
    {"hsv removes all saturation", 0xFF800080, 0x00FF0000, 1.0f, 0x5, 0xFFFFFFFF},
    {"channel copy: alpha into red", 0xAB000000, 0x11223344, 1.0f, 0xF0 | (2 << 2) | 3, 0x11AB3344},
    {"channel copy ignores opacity", 0x000000CD, 0x11223344, 0.25f, 0xF0 | (3 << 2) | 0, 0xCD223344},
    {"kind 6 draws nothing", 0xFFFFFFFF, 0x11223344, 1.0f, 0x6, 0x11223344},
    {"kind 6 with source alpha draws nothing", 0xFFFFFFFF, 0x11223344, 1.0f, 0x10006, 0x11223344},
    {"opacity 0 draws nothing", 0xFFFFFFFF, 0x11223344, 0.0f, 0x1, 0x11223344},
    {"copy at negative opacity draws nothing", 0xFFFFFFFF, 0x11223344, -0.5f, 0x0, 0x11223344},
};

}  // namespace

TEST(Combine, FormulasOnChosenPixels) {
  for (const Case& c : kCases) {
    EXPECT_EQ(combine(c.source, c.destination, c.opacity, c.mode), c.expected)
        << c.what << ": got 0x" << std::hex << combine(c.source, c.destination, c.opacity, c.mode);
  }
}

TEST(Combine, OnePixelHelperMatchesTheLoops) {
  PX_Source s = PX_Source::of(0x80FF8040);
  for (uint32_t mode : {0x0u, 0x1u, 0x2u, 0x3u, 0x4u, 0x5u, 0x10000u, 0x10001u, 0x10005u}) {
    for (float opacity : {1.0f, 0.3f}) {
      int k = PX_WeightTrunc(opacity);
      EXPECT_EQ(PX_CombinePixel(mode, 0x40204080, s, k), combine(0x80FF8040, 0x40204080, opacity, mode | 0x100))
          << "mode " << mode << " opacity " << opacity;
    }
  }
  EXPECT_EQ(PX_CombinePixel(0x6, 0x12345678, s, 256), 0x12345678u);
}
