// Resampled artwork: flat colours stay flat, transparent ground lends no
// colour to edges, and enlarging then shrinking back gives the picture again.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "RasterTestUtil.h"
#include "raster/Resample.h"

namespace {

int ChannelDistance(PX_Pixel32 a, PX_Pixel32 b) {
  int most = 0;
  for (int shift = 0; shift < 32; shift += 8)
    most = std::max(most, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
  return most;
}

TEST(Resample, RefusesWhatItCannotMake) {
  auto src = makeBitmap(4, 4, 0xFF102030);
  EXPECT_EQ(PX_Resample(nullptr, 8, 8), nullptr);
  EXPECT_EQ(PX_Resample(src.get(), 0, 8), nullptr);
  EXPECT_EQ(PX_Resample(src.get(), 8, -1), nullptr);
  auto empty = makeBitmap(0, 0);
  EXPECT_EQ(PX_Resample(empty.get(), 8, 8), nullptr);
}

TEST(Resample, FlatColourAndClearGroundStayAsTheyWereAtEverySize) {
  // A solid square in the middle of a clear ground that is black, as PNG
  // artwork's clear pixels are.
  auto src = makeBitmap(20, 20, 0x00000000);
  for (int y = 5; y < 15; ++y)
    for (int x = 5; x < 15; ++x) setPixel(*src, x, y, 0xFFE08020);
  const int sizes[][2] = {{25, 25}, {30, 30}, {40, 40}, {60, 50}, {10, 10}, {80, 80}};
  for (const auto& size : sizes) {
    std::unique_ptr<PX_MemBitmap> out(PX_Resample(src.get(), size[0], size[1]));
    ASSERT_TRUE(out);
    ASSERT_EQ(out->width(), size[0]);
    ASSERT_EQ(out->height(), size[1]);
    for (int y = 0; y < size[1]; ++y)
      for (int x = 0; x < size[0]; ++x) {
        const PX_Pixel32 p = pixelAt(*out, x, y);
        if ((p >> 24) == 0) continue;
        // Any pixel with some cover shows the square's colour, not a darker rim.
        EXPECT_LE(ChannelDistance(p | 0xFF000000u, 0xFFE08020), 1) << size[0] << " at " << x << "," << y;
      }
    // Enlarged, the middle stays solid; the corners stay clear at any size.
    if (size[0] > 20) {
      EXPECT_EQ(pixelAt(*out, size[0] / 2, size[1] / 2), 0xFFE08020u) << size[0];
    }
    EXPECT_EQ(pixelAt(*out, 0, 0) >> 24, 0u) << size[0];
  }
}

TEST(Resample, EnlargedThenShrunkBackIsThePictureAgain) {
  auto src = makeBitmap(32, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      setPixel(*src, x, y, 0xFF000000u | ((x * 8) << 16) | ((y * 8) << 8) | (x >= 12 && x < 20 ? 255 : 0));
  std::unique_ptr<PX_MemBitmap> big(PX_Resample(src.get(), 64, 64));
  ASSERT_TRUE(big);
  std::unique_ptr<PX_MemBitmap> back(PX_Resample(big.get(), 32, 32));
  ASSERT_TRUE(back);
  long total = 0;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) total += ChannelDistance(pixelAt(*back, x, y), pixelAt(*src, x, y));
  // Gradients, and hard edges in blue: a filter that blurred would be far off.
  EXPECT_LT(total / (32.0 * 32.0), 6.0);
}

}  // namespace
