#include <gtest/gtest.h>

#include <cstdint>

#include "raster/MemBitmap.h"
#include "raster/SysBitmap.h"

TEST(MemBitmap, RowsRoundToTheGranuleAndPixelsAlignTo64Bytes) {
  PX_MemBitmap b(10, 3, 4);
  EXPECT_EQ(b.rowStride(), 12);
  EXPECT_EQ(b.allocatedBytes(), 144);
  ASSERT_NE(b.pixels(), nullptr);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(b.pixels()) % 64, 0u);
  EXPECT_EQ(b.deviceContext(), nullptr);
  EXPECT_FALSE(b.isBottomUp());
  EXPECT_EQ(b.extended(0x59555678, 0), 0);
}

TEST(MemBitmap, GranuleIsTheLowestSetBitOfRowAlign) {
  struct Case {
    unsigned rowAlign;
    int stride;
  } cases[] = {{0, 10}, {1, 10}, {4, 12}, {6, 10}, {8, 16}, {12, 12}, {16, 16}};
  for (const Case& c : cases) {
    PX_MemBitmap b(10, 1, c.rowAlign);
    EXPECT_EQ(b.rowStride(), c.stride) << "rowAlign " << c.rowAlign;
  }
}

TEST(MemBitmap, GrowsWithHeadroomAndNeverShrinksItsBlock) {
  PX_MemBitmap b(100, 100, 4);
  EXPECT_EQ(b.allocatedBytes(), 40000);
  EXPECT_TRUE(b.setSize(101, 100));
  EXPECT_EQ(b.rowStride(), 104);
  EXPECT_EQ(b.allocatedBytes(), 52000);
  PX_Pixel32* grown = b.pixels();
  grown[104 * 100 - 1] = 0x12345678;  // the last pixel is inside the block
  EXPECT_TRUE(b.setSize(100, 100));
  EXPECT_EQ(b.allocatedBytes(), 52000);
  EXPECT_EQ(b.pixels(), grown);
}

TEST(MemBitmap, SameSizeIsNoChangeAndEmptySizeFreesTheBlock) {
  PX_MemBitmap b(8, 8, 4);
  EXPECT_FALSE(b.setSize(8, 8));
  EXPECT_TRUE(b.setSize(0, 8));
  EXPECT_EQ(b.width(), 0);
  EXPECT_EQ(b.height(), 0);
  EXPECT_EQ(b.pixels(), nullptr);
  EXPECT_EQ(b.allocatedBytes(), 0);
  EXPECT_TRUE(b.setSize(3, 2));
  EXPECT_NE(b.pixels(), nullptr);
  PX_MemBitmap none(0, 0, 4);
  EXPECT_EQ(none.pixels(), nullptr);
  EXPECT_EQ(none.width(), 0);
}

TEST(MemBitmap, SizesBeyondAddressableBytesLeaveItEmpty) {
  PX_MemBitmap b(4, 4, 4);
  EXPECT_TRUE(b.setSize(1 << 20, 1 << 20));
  EXPECT_EQ(b.width(), 0);
  EXPECT_EQ(b.height(), 0);
  EXPECT_EQ(b.pixels(), nullptr);
  EXPECT_TRUE(b.setSize(-5, 10));
  EXPECT_EQ(b.pixels(), nullptr);
}

TEST(SysBitmap, StrideIsTheWidthRoundedToFourPixels) {
  PX_SysBitmap b(5, 3);
  EXPECT_EQ(b.rowStride(), 8);
  ASSERT_NE(b.pixels(), nullptr);
  b.pixels()[8 * 3 - 1] = 0xFFFFFFFF;
#ifdef _WIN32
  EXPECT_NE(b.deviceContext(), nullptr);
#else
  EXPECT_EQ(b.deviceContext(), nullptr);
#endif
}

TEST(SysBitmap, ShrinkKeepsTheSurfaceAndGrowthBeyondItMakesANewOne) {
  PX_SysBitmap b(200, 100);
  PX_Pixel32* first = b.pixels();
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(b.setSize(50, 50));
  EXPECT_EQ(b.rowStride(), 200);
  EXPECT_EQ(b.pixels(), first);
  EXPECT_EQ(b.width(), 50);
  EXPECT_FALSE(b.setSize(50, 50));
  EXPECT_TRUE(b.setSize(201, 100));
  EXPECT_EQ(b.rowStride(), 204);
  ASSERT_NE(b.pixels(), nullptr);
  b.pixels()[204 * 100 - 1] = 1;
  EXPECT_FALSE(b.setSize(0, 0));
  EXPECT_EQ(b.pixels(), nullptr);
  EXPECT_EQ(b.width(), 0);
}
