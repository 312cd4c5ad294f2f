// Text without a windowing system: faces come from fontconfig, and every
// text takes the glyph cache.
#include <gtest/gtest.h>

#include "FontTestSupport.h"
#include "raster/FontSystem.h"

namespace {

TEST(FontPosix, WindowsFaceNamesFindTheirStandIns) {
  struct Case {
    const char* asked;
    const char* family;
  };
  for (const Case& c : {Case{"Arial", "Liberation Sans"}, Case{"Verdana", "DejaVu Sans"}}) {
    PX_FontDesc desc;
    desc.face = c.asked;
    PX_FontHandle font = PX_CreateFont(desc);
    ASSERT_NE(font, nullptr) << c.asked;
    EXPECT_EQ(px_font::familyName(font), c.family);
    PX_DeleteFont(font);
  }
}

TEST(FontPosix, HeightsReadAsWindowsReadsThem) {
  struct Case {
    int asked, lineHeight;
  };
  // Positive: the whole cell; zero: the default cell; negative: the em,
  // which for Arial's metrics is a little shorter than the cell.
  for (const Case& c : {Case{15, 15}, Case{13, 13}, Case{0, 16}, Case{-20, 22}}) {
    auto font = MakeFont("Arial", c.asked);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->lineHeight(), c.lineHeight) << c.asked;
  }
}

TEST(FontPosix, EveryTextTakesTheGlyphCache) {
  for (int height : {15, 300}) {
    auto font = MakeFont("Arial", height, PX_FONT_NATIVE);
    ASSERT_NE(font, nullptr);
    EXPECT_FALSE(font->drawsNatively("Text", 4, 0)) << height;
    auto canvas = MakeCanvas(400, 400, 0);
    font->setTextColor(0xFFFFFFFF);
    PX_Rect r = {0, 0, 400, 400};
    font->drawText(canvas.get(), "A", -1, &r, 0);
    EXPECT_EQ(font->renderedGlyphCount(), 1) << height;
    EXPECT_GT(InkBounds(canvas.get(), 0).bottom, height / 2) << height;
  }
}

TEST(FontPosix, NotAntialiasedQualityRendersHardEdges) {
  auto font = MakeFont("Arial", 30, 0, 1);
  ASSERT_NE(font, nullptr);
  const PX_GlyphEntry* g = font->glyph('O');
  ASSERT_NE(g, nullptr);
  const uint8_t* b = font->glyphCoverage(*g);
  for (int i = 0; i < g->width * g->height; ++i) ASSERT_TRUE(b[i] == 0 || b[i] == 255) << i;
}

}  // namespace
