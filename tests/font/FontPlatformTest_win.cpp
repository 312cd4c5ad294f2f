// Text through GDI. The suite runs under Wine here, where every text of an
// ordinary size takes the glyph cache; tall fonts still go to the system.
#include <gtest/gtest.h>

#include <cstdlib>

#include "FontTestSupport.h"
#include "raster/FontSystem.h"
#include "raster/SysBitmap.h"

namespace {

bool UnderProjectWineRunner() { return std::getenv("WINEPREFIX") != nullptr; }

TEST(FontWindows, WineIsRecognisedByItsRegistryKey) {
  if (!UnderProjectWineRunner()) GTEST_SKIP() << "not started through scripts/wine-run";
  EXPECT_TRUE(px_font::runningUnderWine());
}

TEST(FontWindows, OrdinaryTextTakesTheGlyphCacheUnderWine) {
  if (!px_font::runningUnderWine()) GTEST_SKIP() << "native drawing is chosen outside Wine";
  auto font = MakeFont("Arial", 15, PX_FONT_NATIVE);
  ASSERT_NE(font, nullptr);
  EXPECT_FALSE(font->drawsNatively("Text", 4, PX_TEXT_NOCLIP));
  EXPECT_FALSE(font->drawsNatively("Text", 4, PX_TEXT_FOREGROUND_ALPHA));
}

// Tall text goes to the system even under Wine: once into a bitmap with a
// device context, once through the scratch bitmap; both land alike.
TEST(FontWindows, TallFontsDrawNatively) {
  auto font = MakeFont("Arial", 300, PX_FONT_NATIVE);
  ASSERT_NE(font, nullptr);
  EXPECT_GE(font->lineHeight(), 256);
  EXPECT_TRUE(font->drawsNatively("A", 1, PX_TEXT_FOREGROUND_ALPHA));
  font->setTextColor(0xFFFFFFFF);

  PX_Rect extent = {0, 0, 0, 0};
  EXPECT_EQ(font->drawText(nullptr, "A", -1, &extent, PX_TEXT_CALCRECT), font->lineHeight());
  EXPECT_GT(extent.right, 100);

  const PX_Rect rect = {0, 0, 420, 320};
  for (uint32_t flags : {0u, static_cast<uint32_t>(PX_TEXT_CENTER)}) {
    PX_SysBitmap system(420, 320);
    PX_FillArea(&system, 0, 0, 420, 320, 0, 1.0f, PX_COMBINE_COPY);
    auto memory = MakeCanvas(420, 320, 0);
    PX_Rect r1 = rect, r2 = rect;
    font->drawText(&system, "A", -1, &r1, flags);
    font->drawText(memory.get(), "A", -1, &r2, flags);
    PX_Rect viaContext = InkBounds(&system, 0), viaScratch = InkBounds(memory.get(), 0);
    EXPECT_GT(viaContext.right - viaContext.left, 100) << flags;
    EXPECT_EQ(viaScratch.left, viaContext.left) << flags;
    EXPECT_EQ(viaScratch.right, viaContext.right) << flags;
    EXPECT_EQ(viaScratch.top, viaContext.top) << flags;
    EXPECT_EQ(viaScratch.bottom, viaContext.bottom) << flags;
  }
  EXPECT_EQ(font->renderedGlyphCount(), 0);
}

TEST(FontWindows, UnicodeTextReachesTheSystemAsUtf16) {
  auto font = MakeFont("Arial", 300, PX_FONT_NATIVE);
  ASSERT_NE(font, nullptr);
  PX_Rect umlaut = {0, 0, 0, 0}, twoBytes = {0, 0, 0, 0};
  font->drawText(nullptr, "\xC3\x84", -1, &umlaut, PX_TEXT_CALCRECT);
  font->drawText(nullptr, "\xC3\xC3", -1, &twoBytes, PX_TEXT_CALCRECT);
  // One character against two: the UTF-8 pair was not taken byte by byte.
  EXPECT_LT(umlaut.right, twoBytes.right);
}

}  // namespace
