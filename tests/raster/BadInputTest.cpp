// Extreme coordinates, sizes, angles and opacities must never touch memory
// outside the bitmap. The bitmap's rows are padded (stride 16 for width 10);
// the padding must keep its marker, and the sanitizer build catches anything
// further out.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>

#include "RasterTestUtil.h"
#include "raster/Blit.h"
#include "raster/Draw.h"

namespace {

constexpr PX_Pixel32 kMarker = 0xA5A5A5A5;
const int kInts[] = {INT_MIN, INT_MIN + 1, -1000000000, -17, -1, 0, 3, 9, 10, 1000000000, INT_MAX};
const float kFloats[] = {-std::numeric_limits<float>::infinity(), -1e30f, -70000.0f, -3.5f, 0.0f, 4.25f,
                         9.99f, 1e9f, 1e30f, std::numeric_limits<float>::infinity(),
                         std::numeric_limits<float>::quiet_NaN()};
const float kOpacities[] = {1.0f, 0.5f, 0.3f, -1.0f, 1e20f, -1e20f, std::numeric_limits<float>::quiet_NaN()};
const uint32_t kModes[] = {0x0, 0x10000, 0x1, 0x10002, 0x3, 0x4, 0x10005, 0x100, 0xF7};

class BadInput : public ::testing::Test {
 protected:
  BadInput() : target(10, 6, 16), source(7, 5, 4) {
    for (int i = 0; i < 16 * 6; ++i) target.pixels()[i] = kMarker;
    fillAll(source, 0x80FF8040);
  }
  void TearDown() override {
    EXPECT_EQ(target.rowStride(), 16);
    for (int y = 0; y < 6; ++y)
      for (int x = 10; x < 16; ++x) ASSERT_EQ(target.pixels()[y * 16 + x], kMarker) << x << "," << y;
  }
  PX_MemBitmap target, source;
};

}  // namespace

TEST_F(BadInput, RectangleCopies) {
  for (int a : kInts)
    for (int b : kInts) {
      PX_CopyArea(&target, &source, a, b, nullptr, 1.0f, 0);
      PX_Rect rect{a, b, b, a};
      PX_CopyArea(&target, &source, b, 2, &rect, 0.5f, 0x10000);
      PX_CopyAreaXYWH(&target, &source, 1, a, b, a, INT_MAX, b, 0.7f, 1);
      PX_CopyAreaXYWH(&target, &source, a, 0, 0, b, a, INT_MAX, 1.0f, 0xFB);
    }
  for (float o : kOpacities)
    for (uint32_t m : kModes) PX_CopyArea(&target, &source, -2, -1, nullptr, o, m);
  PX_CopyArea(&target, &target, 1, 1, nullptr, 1.0f, 0);  // overlapping copy onto itself
}

TEST_F(BadInput, RotatedCopies) {
  for (int a : kInts)
    for (float f : kFloats) {
      PX_RotateArea(&target, &source, a, ~a, a, 5, f, 0, 7, 5, 0.3f, false, 1.0f, 0x100, 0, 0);
      PX_RotateArea(&target, &source, 0, 0, 10, a, 0, f, f, 5, f, true, 1.0f, 0x10100, f, 0);
      PX_RotateArea(&target, &source, -3, 2, ~a, 6, 1, 1, 5, f, 1.0f, true, 0.6f, 0x10001, 0, f);
    }
  for (float o : kOpacities)
    for (uint32_t m : kModes) PX_RotateArea(&target, &source, 0, 0, 12, 8, 0, 0, 7, 5, 0.7f, false, o, m, 0, 0);
}

TEST_F(BadInput, FillsAndCoverage) {
  const uint8_t mask[12] = {255, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
  for (int a : kInts)
    for (int b : kInts) {
      PX_FillArea(&target, a, b, b, a, 0xFF00FF00, 0.3f, 0);
      PX_FillArea(&target, a, 1, INT_MAX, b, 0x8000FF00, 1.0f, 0x10000);
      PX_BlendCoverage(&target, a, b, 0xFFFFFFFF, mask, 4, 4, 3, 1.0f, 0);
      PX_BlendCoverage(&target, b, a, 0xFFFFFFFF, mask, std::min(a, 4), 4, std::min(b, 3), 1.0f, 1);
    }
  for (float o : kOpacities)
    for (uint32_t m : kModes) {
      PX_FillArea(&target, -1, -1, 20, 20, 0x80FF8040, o, m);
      PX_BlendCoverage(&target, -1, -1, 0x80FF8040, mask, 4, 4, 3, o, m);
    }
}

TEST_F(BadInput, Lines) {
  for (int a : kInts)
    for (int b : kInts)
      for (bool aa : {false, true}) {
        PX_LineInt(&target, a, b, b, a, 0xFFFFFFFF, 1.0f, 0, aa);
        PX_LineInt(&target, a, 3, b, 4, 0xFFFFFFFF, 0.3f, 1, aa);
        PX_LineInt(&target, 2, a, 5, b, 0xFFFFFFFF, 0.5f, 0, aa);
        PX_LineInt(&target, a, a, b, b, 0xFFFFFFFF, 1.0f, 0, aa);
      }
  for (float f : kFloats)
    for (float g : kFloats)
      for (bool aa : {false, true}) {
        PX_LineFloat(&target, f, g, g, f, 0xFFFFFFFF, 1.0f, 0, aa);
        PX_LineFloat(&target, f, 2.5f, g, 3.5f, 0xFFFFFFFF, 0.4f, 4, aa);
        PX_LineFloat(&target, 0.5f, f, 9.5f, g, 0xFFFFFFFF, 0.4f, 5, aa);
      }
  for (float o : kOpacities)
    for (uint32_t m : kModes) {
      PX_LineInt(&target, -3, -2, 14, 9, 0xFFFFFFFF, o, m, true);
      PX_LineFloat(&target, -3.3f, 8.2f, 14.1f, -1.7f, 0xFFFFFFFF, o, m, true);
    }
}

TEST_F(BadInput, CirclesAndArcs) {
  for (float f : kFloats)
    for (float g : kFloats)
      for (bool aa : {false, true}) {
        PX_CircleOutline(&target, f, g, 4.0f, 0xFFFFFFFF, 1.0f, 0, aa);
        PX_CircleFilled(&target, 5, 3, f, 0xFFFFFFFF, 0.6f, 0x10000, aa);
        PX_CircleOutline(&target, g, 3, f, 0xFFFFFFFF, 0.5f, 1, aa);
        PX_ArcOutline(&target, 5, 3, 7.0f, f, g, 0xFFFFFFFF, 1.0f, 0, aa);
        PX_ArcFilled(&target, f, 3, g, 0.5f, g, 0xFFFFFFFF, 0.5f, 2, aa);
        PX_ArcFilled(&target, 9.5f, 5.5f, 12.0f, f, 1.0f, 0xFFFFFFFF, 0.5f, 0, aa);
      }
  for (float o : kOpacities)
    for (uint32_t m : kModes)
      for (float r : {1.5f, 2.0f, 3.5f, 4.0f, 6.0f}) {
        PX_CircleOutline(&target, 8.5f, 0.5f, r, 0xFFFFFFFF, o, m, true);
        PX_CircleFilled(&target, 0.5f, 5.5f, r, 0xFFFFFFFF, o, m, false);
        PX_ArcOutline(&target, 9.0f, 5.0f, r, -1.5707964f, 4.712389f, 0xFFFFFFFF, o, m, true);
      }
}

TEST_F(BadInput, MissingAndEmptyBitmaps) {
  PX_MemBitmap empty(0, 0, 4);
  for (PX_IBitmap* b : {static_cast<PX_IBitmap*>(nullptr), static_cast<PX_IBitmap*>(&empty)}) {
    PX_CopyArea(b, &source, 0, 0, nullptr, 1.0f, 0);
    PX_RotateArea(b, &source, 0, 0, 5, 5, 0, 0, 5, 5, 0, false, 1.0f, 0, 0, 0);
    PX_RotateArea(&target, b, 0, 0, 5, 5, 0, 0, 5, 5, 0, false, 1.0f, 0, 0, 0);
    PX_FillArea(b, 0, 0, 5, 5, 0xFFFFFFFF, 1.0f, 0);
    PX_LineInt(b, 0, 0, 5, 5, 0xFFFFFFFF, 1.0f, 0, true);
    PX_LineFloat(b, 0, 0, 5, 5, 0xFFFFFFFF, 1.0f, 0, true);
    PX_CircleOutline(b, 2, 2, 2, 0xFFFFFFFF, 1.0f, 0, true);
    PX_CircleFilled(b, 2, 2, 5, 0xFFFFFFFF, 1.0f, 0, true);
    PX_ArcOutline(b, 2, 2, 5, 0, 1, 0xFFFFFFFF, 1.0f, 0, true);
    PX_ArcFilled(b, 2, 2, 5, 0, 7, 0xFFFFFFFF, 1.0f, 0, true);
    PX_BlendCoverage(b, 0, 0, 0xFFFFFFFF, reinterpret_cast<const uint8_t*>("abcd"), 2, 2, 2, 1.0f, 0);
  }
}
