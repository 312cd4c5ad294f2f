#include <gtest/gtest.h>

#include "RasterTestUtil.h"
#include "raster/Blit.h"

namespace {

std::unique_ptr<PX_MemBitmap> pattern(int w, int h) {
  auto b = makeBitmap(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) setPixel(*b, x, y, 0xFF000000u | static_cast<PX_Pixel32>(x * 37 << 8 | y * 53));
  return b;
}

void rotate(PX_IBitmap* dst, PX_IBitmap* src, float angle, float opacity, uint32_t mode) {
  PX_RotateArea(dst, src, 0, 0, src->width(), src->height(), 0, 0, static_cast<float>(src->width()),
                static_cast<float>(src->height()), angle, false, opacity, mode, 0, 0);
}

}  // namespace

TEST(RotateArea, AngleZeroReproducesTheSourceWithEitherFilter) {
  for (uint32_t mode : {0x0u, 0x100u}) {
    auto src = pattern(7, 5), dst = makeBitmap(7, 5);
    rotate(dst.get(), src.get(), 0.0f, 1.0f, mode);
    EXPECT_EQ(pixelsOf(*dst), pixelsOf(*src)) << "mode " << mode;
  }
}

TEST(RotateArea, HalfTurnTakesTheMirroredPixelAndLeavesTheFirstRowAndColumn) {
  const int w = 6, h = 4;
  auto src = pattern(w, h), dst = makeBitmap(w, h, 0x12345678);
  rotate(dst.get(), src.get(), 3.1415927f, 1.0f, 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      PX_Pixel32 expected = (x == 0 || y == 0) ? 0x12345678 : pixelAt(*src, w - x, h - y);
      EXPECT_EQ(pixelAt(*dst, x, y), expected) << x << "," << y;
    }
}

TEST(RotateArea, ScalingUpRepeatsPixelsAndBilinearBlendsNeighbours) {
  auto src = makeBitmap(2, 1);
  setPixel(*src, 0, 0, 0xFF000000);
  setPixel(*src, 1, 0, 0xFF0000FF);
  auto nearest = makeBitmap(4, 2), smooth = makeBitmap(4, 2);
  PX_RotateArea(nearest.get(), src.get(), 0, 0, 4, 2, 0, 0, 2, 1, 0, false, 1.0f, 0, 0, 0);
  EXPECT_EQ(pixelsOf(*nearest),
            (std::vector<PX_Pixel32>{0xFF000000, 0xFF000000, 0xFF0000FF, 0xFF0000FF, 0xFF000000, 0xFF000000,
                                     0xFF0000FF, 0xFF0000FF}));
  PX_RotateArea(smooth.get(), src.get(), 0, 0, 4, 2, 0, 0, 2, 1, 0, false, 1.0f, 0x100, 0, 0);
  // Half a source pixel along: halfway between black and blue; the last column blends nothing further.
  EXPECT_EQ(pixelAt(*smooth, 1, 0), 0xFF00007Fu);
  EXPECT_EQ(pixelAt(*smooth, 3, 1), 0xFF0000FFu);
}

TEST(RotateArea, SourceAlphaAndOpacityReachTheCombine) {
  auto src = makeBitmap(3, 3, 0x00FFFFFF), dst = makeBitmap(3, 3, 0xFF102030);
  rotate(dst.get(), src.get(), 0.0f, 1.0f, 0x10100);
  EXPECT_TRUE(changedPixels(*dst, 0xFF102030).empty());
  fillAll(*src, 0xFFFFFFFF);
  rotate(dst.get(), src.get(), 0.0f, 0.001f, 0x100);
  EXPECT_TRUE(changedPixels(*dst, 0xFF102030).empty());
  rotate(dst.get(), src.get(), 0.0f, 1.0f, 0x106);
  EXPECT_TRUE(changedPixels(*dst, 0xFF102030).empty());
  rotate(dst.get(), src.get(), 0.0f, 1.0f, 0x101);
  EXPECT_EQ(pixelAt(*dst, 1, 1), 0xFFFFFFFFu);
}

TEST(RotateArea, ClipToSourceKeepsSamplesInsideTheSourceRectangle) {
  auto src = pattern(6, 6), dst = makeBitmap(2, 2, 0x01010101);
  // A 2 x 2 window at (2, 2), drawn shifted by one pixel: only the overlap is sampled.
  PX_RotateArea(dst.get(), src.get(), 0, 0, 2, 2, 2, 2, 2, 2, 0, true, 1.0f, 0, -1, 0);
  EXPECT_EQ(pixelAt(*dst, 0, 0), 0x01010101u);
  EXPECT_EQ(pixelAt(*dst, 1, 0), pixelAt(*src, 2, 2));
  EXPECT_EQ(pixelAt(*dst, 1, 1), pixelAt(*src, 2, 3));
}

TEST(RotateArea, NegativeDestinationPositionsClipAway) {
  auto src = pattern(5, 5), dst = makeBitmap(5, 5);
  PX_RotateArea(dst.get(), src.get(), -2, -1, 5, 5, 0, 0, 5, 5, 0, false, 1.0f, 0, 0, 0);
  EXPECT_EQ(pixelAt(*dst, 0, 0), pixelAt(*src, 2, 1));
  EXPECT_EQ(pixelAt(*dst, 2, 3), pixelAt(*src, 4, 4));
  EXPECT_EQ(pixelAt(*dst, 3, 0), 0u);
}
