#include <gtest/gtest.h>

#include "RasterTestUtil.h"
#include "raster/Blit.h"

namespace {

// A source whose every pixel names its own position: 0xFF00xxyy.
std::unique_ptr<PX_MemBitmap> positions(int w, int h) {
  auto b = makeBitmap(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) setPixel(*b, x, y, 0xFF000000u | static_cast<PX_Pixel32>(x << 8 | y));
  return b;
}

PX_Pixel32 pos(int x, int y) { return 0xFF000000u | static_cast<PX_Pixel32>(x << 8 | y); }

}  // namespace

TEST(CopyArea, NegativeSourceLeftMovesTheDestinationRight) {
  auto src = positions(8, 4), dst = makeBitmap(30, 4);
  PX_Rect rect{-5, 0, 3, 4};
  PX_CopyArea(dst.get(), src.get(), 10, 0, &rect, 1.0f, 0);
  EXPECT_EQ(pixelAt(*dst, 15, 0), pos(0, 0));
  EXPECT_EQ(pixelAt(*dst, 17, 3), pos(2, 3));
  EXPECT_EQ(pixelAt(*dst, 14, 0), 0u);
  EXPECT_EQ(pixelAt(*dst, 18, 0), 0u);
}

TEST(CopyArea, NegativeDestinationSkipsSourcePixels) {
  auto src = positions(8, 8), dst = makeBitmap(4, 4);
  PX_CopyArea(dst.get(), src.get(), -3, -2, nullptr, 1.0f, 0);
  EXPECT_EQ(pixelAt(*dst, 0, 0), pos(3, 2));
  EXPECT_EQ(pixelAt(*dst, 3, 3), pos(6, 5));
}

TEST(CopyArea, ClipsToBothBitmapsAndLeavesTheRestAlone) {
  auto src = positions(8, 8), dst = makeBitmap(10, 10, 0x11111111);
  PX_CopyAreaXYWH(dst.get(), src.get(), 7, 6, 2, 3, 100, 100, 0.5f, 0);
  auto changed = changedPixels(*dst, 0x11111111);
  ASSERT_EQ(changed.size(), 3u * 4u);  // columns 7-9, rows 6-9
  EXPECT_EQ(changed.front(), std::make_pair(7, 6));
  EXPECT_EQ(changed.back(), std::make_pair(9, 9));
  EXPECT_EQ(pixelAt(*dst, 7, 6), 0x87080909u);  // the half shortcut of 0xFF000203 and 0x11111111
}

TEST(CopyArea, RowsFollowEachBitmapsOrientation) {
  auto src = positions(3, 3);
  FlippedBitmap flipped(3, 3);
  fillAll(flipped, 0);
  PX_CopyArea(&flipped, src.get(), 0, 0, nullptr, 1.0f, 0);
  EXPECT_EQ(pixelsOf(flipped), pixelsOf(*src));
  EXPECT_EQ(flipped.pixels()[0], pos(0, 2));  // the bottom row comes first in memory
  auto back = makeBitmap(3, 3);
  PX_CopyAreaXYWH(back.get(), &flipped, 0, 0, 0, 1, 3, 2, 0.7f, 0x10001);
  EXPECT_EQ(pixelAt(*back, 1, 0), 0xB2000000u);  // add with source alpha of 0xFF000101 at 0.7
}

TEST(CopyArea, NothingForMissingBitmapsOrEmptyWindows) {
  auto src = positions(4, 4), dst = makeBitmap(4, 4, 0x22222222);
  PX_Rect inverted{3, 3, 1, 1}, beyond{10, 0, 20, 4};
  PX_CopyArea(nullptr, src.get(), 0, 0, nullptr, 1.0f, 0);
  PX_CopyArea(dst.get(), nullptr, 0, 0, nullptr, 1.0f, 0);
  PX_CopyArea(dst.get(), src.get(), 0, 0, &inverted, 1.0f, 0);
  PX_CopyArea(dst.get(), src.get(), 0, 0, &beyond, 1.0f, 0);
  PX_CopyArea(dst.get(), src.get(), 4, 0, nullptr, 1.0f, 0);
  PX_CopyArea(dst.get(), src.get(), -4, 0, nullptr, 1.0f, 0);
  PX_MemBitmap empty(0, 0, 4);
  PX_CopyArea(dst.get(), &empty, 0, 0, nullptr, 1.0f, 0);
  PX_CopyArea(&empty, src.get(), 0, 0, nullptr, 1.0f, 0);
  EXPECT_TRUE(changedPixels(*dst, 0x22222222).empty());
}
