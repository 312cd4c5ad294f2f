#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "RasterTestUtil.h"
#include "raster/Draw.h"

namespace {

using Points = std::vector<std::pair<int, int>>;
constexpr PX_Pixel32 kInk = 0xFFFFFFFF;

Points sorted(Points p) {
  std::sort(p.begin(), p.end(), [](auto a, auto b) { return a.second != b.second ? a.second < b.second : a.first < b.first; });
  return p;
}

}  // namespace

TEST(FillArea, OpaqueSourceAlphaFillWritesTheWordAndHalfAlphaAverages) {
  auto b = makeBitmap(3, 3, 0x00000000);
  PX_FillArea(b.get(), 0, 0, 3, 3, 0xFF336699, 1.0f, 0x10000);
  EXPECT_EQ(pixelAt(*b, 2, 2), 0xFF336699u);
  PX_FillArea(b.get(), 0, 0, 3, 3, 0x80FFFFFF, 1.0f, 0x10000);
  EXPECT_EQ(pixelAt(*b, 1, 1), 0xBF98B2CBu);  // each byte c / 2 + d / 2, halves rounded down
}

TEST(FillArea, WeightShortcutsAndFormula) {
  struct Case {
    float opacity;
    uint32_t mode;
    PX_Pixel32 expected;
  } cases[] = {
      {0.75f, 0, 0xCECECECE},  // 0x7F + 0x3F + 0x10
      {0.25f, 0, 0x6F6F6F6F},  // 0x3F + 0x20 + 0x10
      {0.3f, 0, 0x44797979},   // weight 76 by formula; the weight is the source alpha
      {1.0f, 1, 0xFFFFFFFF},
      {0.5f, 5, 0x80BF6091},   // grey turned to hue 351, saturation 127, value 191
      {1.0f, 7, 0x40404040},
  };
  for (const Case& c : cases) {
    auto b = makeBitmap(2, 2, 0x40404040);
    PX_FillArea(b.get(), 0, 0, 2, 2, 0xFFFFFFFF, c.opacity, c.mode);
    EXPECT_EQ(pixelAt(*b, 1, 1), c.expected) << "opacity " << c.opacity << " mode " << c.mode;
  }
}

TEST(FillArea, ClipsNegativeOriginsAndIgnoresEmptySizes) {
  auto b = makeBitmap(6, 6);
  PX_FillArea(b.get(), -3, 1, 5, 1, kInk, 1.0f, 0);
  EXPECT_EQ(sorted(changedPixels(*b, 0)), (Points{{0, 1}, {1, 1}}));
  PX_FillArea(b.get(), 2, 2, 0, 3, kInk, 1.0f, 0);
  PX_FillArea(b.get(), 2, 2, 3, -1, kInk, 1.0f, 0);
  PX_FillArea(b.get(), 6, 0, 3, 3, kInk, 1.0f, 0);
  PX_FillArea(b.get(), 0, 0, 3, 3, kInk, 0.0f, 0);
  EXPECT_EQ(changedPixels(*b, 0).size(), 2u);
  PX_FillArea(b.get(), 4, 4, 100, 100, kInk, 1.0f, 0);
  EXPECT_EQ(changedPixels(*b, 0).size(), 6u);
}

TEST(LineInt, ClipsToTheBitmap) {
  auto b = makeBitmap(10, 10);
  PX_LineInt(b.get(), -10, 5, 20, 5, kInk, 1.0f, 0, false);
  Points row;
  for (int x = 0; x < 10; ++x) row.emplace_back(x, 5);
  EXPECT_EQ(sorted(changedPixels(*b, 0)), row);
  auto c = makeBitmap(10, 10);
  PX_LineInt(c.get(), -10, 0, -1, 9, kInk, 1.0f, 0, false);
  PX_LineInt(c.get(), -5, -5, 20, -1, kInk, 1.0f, 0, true);
  EXPECT_TRUE(changedPixels(*c, 0).empty());
  PX_LineInt(c.get(), -5, -5, 14, 14, kInk, 1.0f, 0, false);  // a clipped diagonal
  EXPECT_EQ(changedPixels(*c, 0).size(), 10u);
}

TEST(LineInt, StepsTheMinorAxisAtHalfAPixel) {
  auto b = makeBitmap(6, 3);
  PX_LineInt(b.get(), 0, 0, 4, 1, kInk, 1.0f, 0, false);
  EXPECT_EQ(sorted(changedPixels(*b, 0)), (Points{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}}));
  auto reversed = makeBitmap(6, 3);
  PX_LineInt(reversed.get(), 4, 1, 0, 0, kInk, 1.0f, 0, false);
  EXPECT_EQ(changedPixels(*reversed, 0).size(), 5u);
}

TEST(LineInt, SmoothDiagonalAndGeneralLines) {
  auto b = makeBitmap(4, 4);
  PX_LineInt(b.get(), 0, 0, 2, 2, kInk, 1.0f, 0, true);
  EXPECT_EQ(pixelAt(*b, 0, 0), 0xBEBEBEBEu);  // three quarters: 0x7F + 0x3F
  EXPECT_EQ(pixelAt(*b, 1, 0), 0x3F3F3F3Fu);  // a quarter
  EXPECT_EQ(pixelAt(*b, 0, 1), 0x3F3F3F3Fu);
  EXPECT_EQ(pixelAt(*b, 2, 2), 0xBEBEBEBEu);
  EXPECT_EQ(pixelAt(*b, 3, 2), 0u);  // the last pixel has no side pixels
  EXPECT_EQ(changedPixels(*b, 0).size(), 7u);

  auto g = makeBitmap(9, 4);
  PX_LineInt(g.get(), 0, 0, 8, 2, 0xFF0000FF, 1.0f, 0, true);
  EXPECT_EQ(pixelAt(*g, 0, 0), 0xFF0000FFu);  // ends at full weight
  EXPECT_EQ(pixelAt(*g, 8, 2), 0xFF0000FFu);
  for (int x = 1; x < 8; ++x) {
    int ink = 0;
    for (int y = 0; y < 4; ++y) ink += PX_Blue(pixelAt(*g, x, y));
    EXPECT_GE(ink, 250) << "column " << x;  // the weight is split, not lost
    EXPECT_LE(ink, 256) << "column " << x;
  }
}

TEST(LineInt, TranslucentStraightLinesBlendEachPixelOnce) {
  auto b = makeBitmap(5, 5, 0xFF000000);
  PX_LineInt(b.get(), 4, 2, 0, 2, 0xFFFFFFFF, 0.5f, 0, false);
  PX_LineInt(b.get(), 2, 0, 2, 1, 0xFFFFFFFF, 0.3f, 0, false);
  EXPECT_EQ(pixelAt(*b, 0, 2), 0xFE7F7F7Fu);  // the half shortcut, once
  EXPECT_EQ(pixelAt(*b, 2, 1), 0xFF4C4C4Cu);  // weight 76 by formula, once
}

TEST(LineFloat, SmoothLinesFollowTheirSlopeInEitherDirection) {
  auto b = makeBitmap(10, 10);
  PX_LineFloat(b.get(), 0.0f, 9.0f, 9.0f, 0.5f, kInk, 1.0f, 0, true);
  for (int x = 0; x < 10; ++x) {
    int best = 0;
    for (int y = 1; y < 10; ++y)
      if (PX_Red(pixelAt(*b, x, y)) > PX_Red(pixelAt(*b, x, best))) best = y;
    EXPECT_NEAR(best, 9.0 - x * 8.5 / 9.0, 1.0) << "column " << x;
  }
  auto a = makeBitmap(10, 10), i = makeBitmap(10, 10);
  PX_LineFloat(a.get(), 1.7f, 2.2f, 8.9f, 6.1f, kInk, 1.0f, 0, false);
  PX_LineInt(i.get(), 1, 2, 8, 6, kInk, 1.0f, 0, false);
  EXPECT_EQ(pixelsOf(*a), pixelsOf(*i));
}

TEST(Circle, SmallOutlinesComeFromTheMasks) {
  auto mask = makeBitmap(9, 9), general = makeBitmap(9, 9);
  PX_CircleOutline(mask.get(), 4, 4, 2.0f, kInk, 1.0f, 0, false);
  PX_CircleOutline(general.get(), 4, 4, 2.01f, kInk, 1.0f, 0, false);
  EXPECT_EQ(sorted(changedPixels(*mask, 0)), (Points{{4, 2}, {3, 3}, {5, 3}, {2, 4}, {6, 4}, {3, 5}, {5, 5}, {4, 6}}));
  EXPECT_EQ(changedPixels(*general, 0).size(), 12u);
  auto smooth = makeBitmap(9, 9);
  PX_CircleOutline(smooth.get(), 4, 4, 2.0f, kInk, 1.0f, 0, true);
  EXPECT_EQ(changedPixels(*smooth, 0).size(), 24u);  // every mask byte but the centre
}

TEST(Circle, FilledCirclesAreSymmetricAndBlendEveryPixelOnce) {
  for (bool antialias : {false, true}) {
    auto b = makeBitmap(21, 21, 0xFF000000);
    PX_CircleFilled(b.get(), 10, 10, 6.5f, 0xFFFFFFFF, 0.5f, 0, antialias);
    PX_Pixel32 once = pixelAt(*b, 10, 10);
    EXPECT_NE(once, 0xFF000000u);
    for (int y = 0; y < 21; ++y)
      for (int x = 0; x < 21; ++x) {
        PX_Pixel32 p = pixelAt(*b, x, y);
        EXPECT_EQ(p, pixelAt(*b, 20 - x, y));
        EXPECT_EQ(p, pixelAt(*b, x, 20 - y));
        int dx = x - 10, dy = y - 10;
        if (dx * dx + dy * dy <= 36) {
          EXPECT_EQ(p, once) << x << "," << y << " aa " << antialias;
        } else if (dx * dx + dy * dy > 64) {
          EXPECT_EQ(p, 0xFF000000u) << x << "," << y << " aa " << antialias;
        }
      }
  }
}

TEST(Circle, OutlineRingLiesAtTheRadius) {
  for (bool antialias : {false, true}) {
    auto b = makeBitmap(40, 40);
    PX_CircleOutline(b.get(), 20, 20, 12.0f, kInk, 1.0f, 0, antialias);
    for (auto [x, y] : changedPixels(*b, 0)) {
      double d = std::hypot(x - 20, y - 20);
      EXPECT_NEAR(d, 12.0, 1.5) << x << "," << y;
    }
    EXPECT_GE(changedPixels(*b, 0).size(), 60u);
  }
}

TEST(Arc, FullTurnIsTheCircleAndQuartersWrap) {
  for (bool antialias : {false, true}) {
    auto arc = makeBitmap(30, 30), circle = makeBitmap(30, 30);
    PX_ArcOutline(arc.get(), 15, 15, 9.0f, 0.0f, 6.2831855f, kInk, 1.0f, 0, antialias);
    PX_CircleOutline(circle.get(), 15, 15, 9.0f, kInk, 1.0f, 0, antialias);
    EXPECT_EQ(pixelsOf(*arc), pixelsOf(*circle));

    auto first = makeBitmap(30, 30), wrapped = makeBitmap(30, 30);
    PX_ArcOutline(first.get(), 15, 15, 9.0f, 0.0f, 1.5707964f, kInk, 1.0f, 0, antialias);
    PX_ArcOutline(wrapped.get(), 15, 15, 9.0f, 6.2831855f, 7.8539815f, kInk, 1.0f, 0, antialias);
    EXPECT_EQ(pixelsOf(*first), pixelsOf(*wrapped));
    for (auto [x, y] : changedPixels(*first, 0)) {
      EXPECT_GE(x, 15);
      EXPECT_LE(y, 15);
      EXPECT_EQ(pixelAt(*circle, x, y), pixelAt(*first, x, y)) << x << "," << y;
    }
  }
}

TEST(Arc, RoundedCornerStaysInItsQuadrant) {
  auto b = makeBitmap(20, 20);
  PX_ArcFilled(b.get(), 10, 10, 6.0f, -1.5707964f, 0.0f, kInk, 1.0f, 0, true);
  auto changed = changedPixels(*b, 0);
  ASSERT_FALSE(changed.empty());
  for (auto [x, y] : changed) {
    EXPECT_LE(x, 10);
    EXPECT_LE(y, 10);
  }
  EXPECT_EQ(pixelAt(*b, 10, 6), kInk);  // the centre's column
  EXPECT_EQ(pixelAt(*b, 5, 10), kInk);  // the centre's row
  EXPECT_EQ(pixelAt(*b, 10, 10), kInk);
}

TEST(BlendCoverage, WeightsEachPixelByItsMaskByteAndClipsNegativeOrigins) {
  const uint8_t mask[] = {0, 128, 255, 0, 64, 255};  // 3 x 2
  auto b = makeBitmap(3, 2, 0xFF000000);
  PX_BlendCoverage(b.get(), -1, 0, 0xFFFFFFFF, mask, 3, 3, 2, 1.0f, 0);
  EXPECT_EQ(pixelAt(*b, 0, 0), 0xFF808080u);  // mask 128: weight 128
  EXPECT_EQ(pixelAt(*b, 1, 0), 0xFFFFFFFFu);  // mask 255: weight 255
  EXPECT_EQ(pixelAt(*b, 0, 1), 0xFF404040u);  // mask 64: weight 64
  EXPECT_EQ(pixelAt(*b, 2, 0), 0xFF000000u);
  FlippedBitmap flipped(3, 2);
  fillAll(flipped, 0);
  PX_BlendCoverage(&flipped, 0, 0, 0xFFFFFFFF, mask, 3, 3, 2, 1.0f, 1);
  EXPECT_EQ(pixelAt(flipped, 2, 0), 0xFEFEFEFEu);  // add at weight 255: 255 x 255 / 256
  EXPECT_EQ(flipped.pixels()[flipped.rowStride() + 2], pixelAt(flipped, 2, 0));  // image row 0 is stored last
  EXPECT_EQ(pixelAt(flipped, 0, 0), 0u);
}
