// The display scale's arithmetic: face pixels to window pixels and back.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "editor/EditorScale.h"

namespace {

TEST(EditorScale, FactorsAreHeldToOneToFour) {
  const struct {
    double asked, got;
  } cases[] = {{1.0, 1.0}, {1.25, 1.25}, {4.0, 4.0}, {0.5, 1.0}, {0.0, 1.0}, {-3.0, 1.0}, {4.5, 4.0},
               {std::numeric_limits<double>::infinity(), 4.0}, {std::nan(""), 1.0}};
  for (const auto& c : cases) EXPECT_EQ(IEditorScale(c.asked).Factor(), c.got) << c.asked;
}

TEST(EditorScale, EveryWindowPixelMapsToTheFacePixelDrawnThere) {
  for (double f : {1.0, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0, 4.0}) {
    const IEditorScale scale(f);
    for (int32_t face = -2; face < 560; ++face) {
      const int32_t from = scale.ToPixels(face), to = scale.ToPixels(face + 1);
      ASSERT_GE(to - from, 1) << f << " " << face;
      for (int32_t p = from; p < to; ++p) ASSERT_EQ(scale.ToFace(p), face) << f << " pixel " << p;
    }
    // A window area maps to the face area that covers it.
    const IRect area(3, 7, 301, 200);
    const IRect face = scale.ToFace(area), back = scale.ToPixels(face);
    EXPECT_TRUE(back.L <= area.L && back.T <= area.T && back.R >= area.R && back.B >= area.B) << f;
    EXPECT_EQ(scale.ToFace(back), face) << f;
  }
}

TEST(EditorScale, TheFaceSizeAtEachZoom) {
  const struct {
    double f;
    int32_t w, h;
  } cases[] = {{1.0, 550, 365}, {1.25, 688, 456}, {1.5, 825, 548}, {1.75, 963, 639},
               {2.0, 1100, 730}, {2.5, 1375, 913}, {3.0, 1650, 1095}};
  for (const auto& c : cases) {
    EXPECT_EQ(IEditorScale(c.f).ToPixels(550), c.w) << c.f;
    EXPECT_EQ(IEditorScale(c.f).ToPixels(365), c.h) << c.f;
  }
}

}  // namespace
