#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FontTestSupport.h"
#include "raster/FontCoverage.h"

namespace {

constexpr PX_Pixel32 kFill = 0xFF102030;
constexpr PX_Pixel32 kInk = 0xFFF0E0D0;


class CachedFontTest : public ::testing::Test {
 protected:
  void SetUp() override {
    font = MakeFont("Arial", 15);
    ASSERT_NE(font, nullptr);
    font->setTextColor(kInk);
  }
  // Draws into a fresh canvas and answers it.
  std::unique_ptr<PX_MemBitmap> Draw(const char* text, PX_Rect rect, uint32_t flags, int* result = nullptr,
                                     int width = 200, int height = 60) {
    auto canvas = MakeCanvas(width, height, kFill);
    int r = font->drawText(canvas.get(), text, -1, &rect, flags);
    if (result) *result = r;
    return canvas;
  }
  std::unique_ptr<PX_CachedFont> font;
};

TEST_F(CachedFontTest, MeasuresSingleAndMultiLineText) {
  const int line = font->lineHeight();
  EXPECT_EQ(line, 15);  // a positive height is the whole cell
  PX_Rect ab = Measure(font.get(), "AB");
  int advances = font->glyph('A')->advance + font->glyph('B')->advance;
  EXPECT_GE(ab.right, advances);
  EXPECT_LE(ab.right, advances + 2);
  EXPECT_EQ(ab.bottom, line);

  // Several lines: the widest line, one line height each.
  EXPECT_EQ(Measure(font.get(), "AB\nA"), (PX_Rect{0, 0, ab.right, 2 * line}));
  EXPECT_EQ(Measure(font.get(), "A\nAB\n"), (PX_Rect{0, 0, ab.right, 2 * line}));
  // Single-line: a line feed is a space.
  EXPECT_EQ(Measure(font.get(), "A\nB", PX_TEXT_SINGLELINE), Measure(font.get(), "A B"));
  // Carriage returns count for nothing.
  EXPECT_EQ(Measure(font.get(), "A\r\nB"), Measure(font.get(), "A\nB"));
  EXPECT_EQ(Measure(font.get(), "A\rB"), ab);

  // The extent hangs from the rectangle's corner; the answer is the height;
  // the byte count limits the text.
  PX_Rect r = {5, 7, 0, 0};
  EXPECT_EQ(font->drawText(nullptr, "ABC", 2, &r, PX_TEXT_CALCRECT), line);
  EXPECT_EQ(r, (PX_Rect{5, 7, 5 + ab.right, 7 + line}));
}

TEST_F(CachedFontTest, MeasuringDrawsNothing) {
  int result = 0;
  auto canvas = Draw("Hello", {0, 0, 200, 60}, PX_TEXT_CALCRECT, &result);
  EXPECT_EQ(result, font->lineHeight());
  EXPECT_EQ(InkBounds(canvas.get(), kFill), (PX_Rect{0, 0, 0, 0}));
}

TEST_F(CachedFontTest, AlignmentMovesTheTextByTheFreeSpace) {
  const PX_Rect rect = {0, 0, 200, 60};
  PX_Rect size = Measure(font.get(), "Hi");
  PX_Rect home = InkBounds(Draw("Hi", rect, 0).get(), kFill);
  ASSERT_GT(home.right, home.left);
  struct Case {
    uint32_t flags;
    int dx, dy;
  };
  const Case cases[] = {
      {PX_TEXT_CENTER, (200 - size.right) / 2, 0},
      {PX_TEXT_RIGHT, 200 - size.right, 0},
      {PX_TEXT_VCENTER, 0, (60 - size.bottom) / 2},
      {PX_TEXT_BOTTOM | PX_TEXT_CENTER, (200 - size.right) / 2, 60 - size.bottom},
  };
  for (const auto& c : cases) {
    PX_Rect ink = InkBounds(Draw("Hi", rect, c.flags).get(), kFill);
    EXPECT_EQ(ink, (PX_Rect{home.left + c.dx, home.top + c.dy, home.right + c.dx, home.bottom + c.dy})) << c.flags;
  }
}

TEST_F(CachedFontTest, ClipsToTheRectangleUnlessTold) {
  PX_Rect clipped = InkBounds(Draw("WWWW", {0, 0, 9, 60}, 0).get(), kFill);
  EXPECT_LE(clipped.right, 9);
  EXPECT_GT(clipped.right, 0);
  PX_Rect free = InkBounds(Draw("WWWW", {0, 0, 9, 60}, PX_TEXT_NOCLIP).get(), kFill);
  EXPECT_GT(free.right, 30);
  // A rectangle wholly outside the bitmap draws nothing.
  int result = -1;
  EXPECT_EQ(InkBounds(Draw("W", {300, 0, 400, 60}, 0, &result).get(), kFill), (PX_Rect{0, 0, 0, 0}));
  EXPECT_EQ(result, 0);
}

TEST_F(CachedFontTest, FourByteSequenceDrawsOneSpace) {
  const char* wide = "A\xF0\x9F\x8E\xB5" "B";
  EXPECT_EQ(Measure(font.get(), wide), Measure(font.get(), "A B"));
  EXPECT_TRUE(SamePixels(Draw(wide, {0, 0, 200, 60}, 0).get(), Draw("A B", {0, 0, 200, 60}, 0).get()));
}

TEST_F(CachedFontTest, OpacityZeroDrawsNothing) {
  int result = -1;
  font->setCombine(PX_COMBINE_COPY, 0.0f);
  EXPECT_EQ(InkBounds(Draw("Text", {0, 0, 200, 60}, 0, &result).get(), kFill), (PX_Rect{0, 0, 0, 0}));
  EXPECT_EQ(result, 0);

  // The foreground-alpha flag takes the colour's alpha as opacity.
  font->setCombine(PX_COMBINE_COPY, 1.0f);
  font->setTextColor(kInk & 0x00FFFFFF);
  EXPECT_EQ(InkBounds(Draw("Text", {0, 0, 200, 60}, PX_TEXT_FOREGROUND_ALPHA, &result).get(), kFill),
            (PX_Rect{0, 0, 0, 0}));
  EXPECT_EQ(result, 0);
}

TEST_F(CachedFontTest, ForegroundAlphaActsAsOpacity) {
  font->setTextColor((kInk & 0x00FFFFFF) | 0x80000000);
  auto byAlpha = Draw("Text", {0, 0, 200, 60}, PX_TEXT_FOREGROUND_ALPHA);
  font->setCombine(PX_COMBINE_COPY, 128.0f / 255.0f);
  auto byOpacity = Draw("Text", {0, 0, 200, 60}, 0);
  EXPECT_TRUE(SamePixels(byAlpha.get(), byOpacity.get()));
  EXPECT_NE(InkBounds(byAlpha.get(), kFill).right, 0);
}

TEST_F(CachedFontTest, OpaqueBackgroundFillsOnlyGlyphBoxes) {
  const PX_Pixel32 background = 0xFF0000FF;
  font->setBackgroundColor(background);
  EXPECT_EQ(font->setBackgroundMode(PX_BACKGROUND_OPAQUE), PX_BACKGROUND_TRANSPARENT);
  auto canvas = Draw("I  I", {0, 0, 200, 60}, 0);

  const PX_GlyphEntry* i = font->glyph('I');
  int secondPen = 2 * font->glyph(' ')->advance + i->advance;
  int gapLeft = i->width - i->leftOffset, gapRight = secondPen - i->leftOffset;
  ASSERT_LT(gapLeft, gapRight);
  for (int y = 0; y < 60; ++y)
    for (int x = gapLeft; x < gapRight; ++x) ASSERT_EQ(PixelAt(canvas.get(), x, y), kFill) << x << "," << y;
  // Inside a box, where the glyph has no ink, the background shows: the
  // box spans the whole line, above the capital and below it.
  EXPECT_EQ(PixelAt(canvas.get(), gapLeft - 1, 0), background);
  EXPECT_EQ(PixelAt(canvas.get(), secondPen - i->leftOffset, font->lineHeight() - 1), background);
  EXPECT_EQ(PixelAt(canvas.get(), 0, font->lineHeight()), kFill);
}

// A bitmap that draws text its own way is offered the text first.
TEST_F(CachedFontTest, BitmapMayTakeTheTextOver) {
  struct TextTakingBitmap : PX_MemBitmap {
    TextTakingBitmap() : PX_MemBitmap(50, 20, 4) {}
    intptr_t extended(int32_t code, intptr_t argument) override {
      if (code != PX_EXTENDED_DRAW_TEXT) return 0;
      const auto* request = reinterpret_cast<const PX_TextRequest*>(argument);
      seen = std::string(request->text, static_cast<size_t>(request->count));
      return taking ? 77 : 0;
    }
    std::string seen;
    bool taking = true;
  } bitmap;
  PX_FillArea(&bitmap, 0, 0, 50, 20, kFill, 1.0f, PX_COMBINE_COPY);
  PX_Rect r = {0, 0, 50, 20};
  EXPECT_EQ(font->drawText(&bitmap, "Hi there", 2, &r, 0), 77);
  EXPECT_EQ(bitmap.seen, "Hi");
  EXPECT_EQ(InkBounds(&bitmap, kFill), (PX_Rect{0, 0, 0, 0}));
  bitmap.taking = false;
  EXPECT_EQ(font->drawText(&bitmap, "Hi", -1, &r, 0), font->lineHeight());
  EXPECT_NE(InkBounds(&bitmap, kFill).right, 0);
}

TEST_F(CachedFontTest, RendersEachGlyphOnce) {
  EXPECT_EQ(font->renderedGlyphCount(), 0);
  Draw("AAAA", {0, 0, 200, 60}, 0);
  EXPECT_EQ(font->renderedGlyphCount(), 1);
  Draw("AA", {0, 0, 200, 60}, PX_TEXT_CENTER);
  Measure(font.get(), "A");
  EXPECT_EQ(font->renderedGlyphCount(), 1);
  Draw("AB\xC3\x84\xC3\x84", {0, 0, 200, 60}, 0);
  EXPECT_EQ(font->renderedGlyphCount(), 3);
  // A new font starts an empty cache.
  PX_FontDesc desc;
  font->setFromFont(PX_CreateFont(desc), PX_FONT_OWNS_HANDLE);
  EXPECT_EQ(font->renderedGlyphCount(), 0);
}

// The glyph of 'O' under each flag, set against the plain one.
TEST(CachedFontFlags, EachFlagShapesTheCoverage) {
  auto plainFont = MakeFont("Arial", 40);
  ASSERT_NE(plainFont, nullptr);
  const PX_GlyphEntry plain = *plainFont->glyph('O');
  const uint8_t* p = plainFont->glyphCoverage(plain);
  auto plainAt = [&](int x, int y) { return p[y * plain.width + x]; };
  PX_GlyphCoverage plainCopy;
  plainCopy.width = plain.width;
  plainCopy.height = plain.height;
  plainCopy.bytes.assign(p, p + plain.width * plain.height);
  int plainInk = static_cast<int>(std::count_if(plainCopy.bytes.begin(), plainCopy.bytes.end(), [](uint8_t b) { return b; }));
  ASSERT_GT(plainInk, 0);
  ASSERT_TRUE(std::any_of(plainCopy.bytes.begin(), plainCopy.bytes.end(), [](uint8_t b) { return b > 0 && b < 255; }))
      << "antialiased edges expected";

  struct Case {
    const char* name;
    int flags;
  };
  const Case cases[] = {{"invert", PX_FONT_INVERT},    {"no antialias", PX_FONT_NO_ANTIALIAS},
                        {"shadow", PX_FONT_SHADOW},    {"outline", PX_FONT_OUTLINE},
                        {"blur", PX_FONT_BLUR},        {"vertical", PX_FONT_VERTICAL},
                        {"vertical up", PX_FONT_VERTICAL | PX_FONT_VERTICAL_UP}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto font = MakeFont("Arial", 40, c.flags);
    const PX_GlyphEntry g = *font->glyph('O');
    const uint8_t* b = font->glyphCoverage(g);
    std::vector<uint8_t> bytes(b, b + g.width * g.height);
    auto at = [&](int x, int y) { return bytes[y * g.width + x]; };
    EXPECT_EQ(g.advance, plain.advance);
    switch (c.flags) {
      case PX_FONT_INVERT: {
        // The whole cell is kept; under the plain glyph each byte is its complement.
        int shift = g.leftOffset - plain.leftOffset;
        for (int y = 0; y < plain.height; ++y)
          for (int x = 0; x < plain.width; ++x) ASSERT_EQ(at(x + shift, y), 255 - plainAt(x, y));
        EXPECT_EQ(at(0, 0), 255);
        break;
      }
      case PX_FONT_NO_ANTIALIAS:
        ASSERT_EQ(g.width, plain.width);
        for (int y = 0; y < g.height; ++y)
          for (int x = 0; x < g.width; ++x) ASSERT_EQ(at(x, y), plainAt(x, y) > 130 ? 255 : 0);
        break;
      case PX_FONT_SHADOW:
      case PX_FONT_OUTLINE: {
        bool shadow = c.flags == PX_FONT_SHADOW;
        int edges = 0;
        for (int y = 0; y < g.height; ++y)
          for (int x = 0; x < g.width; ++x) {
            uint8_t v = at(x, y);
            ASSERT_TRUE(v == 0 || v == 128 || v == 255);
            if (v != 128) continue;
            ++edges;
            auto full = [&](int dx, int dy) {
              int nx = x + dx, ny = y + dy;
              return nx >= 0 && ny >= 0 && nx < g.width && ny < g.height && at(nx, ny) == 255;
            };
            EXPECT_TRUE(shadow ? (full(-1, 0) || full(-1, -1) || full(0, -1))
                               : (full(-1, 0) || full(1, 0) || full(0, -1) || full(0, 1)));
          }
        EXPECT_GT(edges, 0);
        break;
      }
      case PX_FONT_BLUR:
        EXPECT_GT(std::count_if(bytes.begin(), bytes.end(), [](uint8_t v) { return v; }), plainInk);
        EXPECT_LT(*std::max_element(bytes.begin(), bytes.end()), 255);
        break;
      default: {
        PX_GlyphCoverage turned = plainCopy;
        PX_TurnCoverage(&turned, (c.flags & PX_FONT_VERTICAL_UP) != 0);
        EXPECT_EQ(g.width, plain.height);
        EXPECT_EQ(g.height, plain.width);
        EXPECT_EQ(bytes, turned.bytes);
        break;
      }
    }
  }
}

// A hard-edged stem: the outline needs a column on each side of it, the
// shadow one on its right, and both are kept with the glyph.
TEST(CachedFontFlags, EdgesKeepRoomBesideTheInk) {
  for (int flags : {static_cast<int>(PX_FONT_OUTLINE), static_cast<int>(PX_FONT_SHADOW)}) {
    SCOPED_TRACE(flags);
    auto font = MakeFont("Arial", 30, flags, 1);
    ASSERT_NE(font, nullptr);
    const PX_GlyphEntry* g = font->glyph('I');
    ASSERT_NE(g, nullptr);
    const uint8_t* b = font->glyphCoverage(*g);
    // Which values a column holds: bit 0 edge (128), bit 1 ink (255).
    auto column = [&](int x) {
      int kinds = 0;
      for (int y = 0; y < g->height; ++y) kinds |= b[y * g->width + x] == 128 ? 1 : b[y * g->width + x] == 255 ? 2 : 0;
      return kinds;
    };
    int first = 0, last = g->width - 1;
    while (first < last && column(first) == 0) ++first;
    while (last > first && column(last) == 0) --last;
    EXPECT_EQ(column(last), 1);  // the right edge lies outside the ink
    EXPECT_EQ(column(first) == 1, flags == PX_FONT_OUTLINE);  // the shadow has no left edge
  }
}

TEST(CachedFontFlags, AsciiOnlyRendersUpFrontAndNothingElse) {
  auto font = MakeFont("Arial", 15, PX_FONT_ASCII_ONLY);
  ASSERT_NE(font, nullptr);
  int upFront = font->renderedGlyphCount();
  EXPECT_GE(upFront, 95);  // the printable ones at least
  EXPECT_NE(font->glyph('A'), nullptr);
  EXPECT_EQ(font->glyph(0xC4), nullptr);
  auto canvas = MakeCanvas(100, 30, kFill);
  PX_Rect r = {0, 0, 100, 30};
  font->drawText(canvas.get(), "A\xC3\x84" "A", -1, &r, 0);
  EXPECT_EQ(font->renderedGlyphCount(), upFront);
  EXPECT_EQ(Measure(font.get(), "A\xC3\x84" "A"), Measure(font.get(), "AA"));  // skipped, the rest draws
}

// Each pixel under a glyph follows its combine formula at the glyph's weight.
TEST(CachedFontBlend, GlyphPixelsFollowTheCombineMode) {
  auto font = MakeFont("Arial", 20);
  ASSERT_NE(font, nullptr);
  const PX_Pixel32 text = 0x40E0C0A0, fill = 0xC0608040;
  font->setTextColor(text);
  const PX_GlyphEntry g = *font->glyph('S');
  const uint8_t* coverage = font->glyphCoverage(g);
  const int penX = 10, penY = 4;
  struct Case {
    uint32_t mode;
    float opacity;
  };
  const Case cases[] = {{PX_COMBINE_COPY, 1.0f},     {PX_COMBINE_COPY, 0.5f},     {PX_COMBINE_ADD, 1.0f},
                        {PX_COMBINE_MULTIPLY, 0.75f}, {PX_COMBINE_OVERLAY, 1.0f}, {PX_COMBINE_HSV, 1.0f},
                        {PX_COMBINE_COPY | PX_COMBINE_SOURCE_ALPHA, 1.0f}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    font->setCombine(c.mode, c.opacity);
    auto canvas = MakeCanvas(60, 40, fill);
    EXPECT_TRUE(font->blitGlyph(canvas.get(), 'S', penX, penY, {0, 0, 60, 40}));
    int alpha = static_cast<int>(c.opacity * 256);
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 60; ++x) {
        int gx = x - (penX - g.leftOffset), gy = y - penY;
        int b = gx >= 0 && gy >= 0 && gx < g.width && gy < g.height ? coverage[gy * g.width + gx] : 0;
        PX_Pixel32 expected = fill;
        if (b) {
          int k = alpha == 256 ? b + 1 : std::min(256, alpha * b / 256);
          // The text colour counts as opaque; the source-alpha flag plays no part.
          expected = PX_CombinePixel(c.mode & 0xFF, fill, {PX_Blue(text), PX_Green(text), PX_Red(text), 255}, k);
        }
        ASSERT_EQ(PixelAt(canvas.get(), x, y), expected) << x << "," << y;
      }
  }
  // A mode that names no kind draws nothing.
  font->setCombine(6, 1.0f);
  auto canvas = MakeCanvas(60, 40, fill);
  font->blitGlyph(canvas.get(), 'S', penX, penY, {0, 0, 60, 40});
  EXPECT_EQ(InkBounds(canvas.get(), fill), (PX_Rect{0, 0, 0, 0}));
}

TEST(CachedFontBlend, OutlineGlyphsLayBothColourWords) {
  auto font = MakeFont("Arial", 20, PX_FONT_OUTLINE);
  ASSERT_NE(font, nullptr);
  const PX_Pixel32 text = 0x80FF0000, outline = 0xFF00FF00;
  font->setTextColor(text);
  EXPECT_EQ(font->setOutlineColor(outline), 0xFFFFFFFFu);
  auto canvas = MakeCanvas(60, 40, kFill);
  PX_Rect r = {0, 0, 60, 40};
  font->drawText(canvas.get(), "o", -1, &r, 0);
  int texts = 0, outlines = 0, others = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 60; ++x) {
      PX_Pixel32 p = PixelAt(canvas.get(), x, y);
      texts += p == text;
      outlines += p == outline;
      others += p != text && p != outline && p != kFill;
    }
  EXPECT_GT(texts, 0);
  EXPECT_GT(outlines, texts / 2);
  EXPECT_EQ(others, 0);
}

TEST(CachedFontVertical, TextRunsDownOrUpInsideItsExtent) {
  for (int flags : {static_cast<int>(PX_FONT_VERTICAL), PX_FONT_VERTICAL | PX_FONT_VERTICAL_UP}) {
    SCOPED_TRACE(flags);
    auto font = MakeFont("Arial", 15, flags);
    ASSERT_NE(font, nullptr);
    font->setTextColor(kInk);
    PX_Rect extent = {20, 20, 0, 0};
    int width = font->drawText(nullptr, "AbgT", -1, &extent, PX_TEXT_CALCRECT);
    EXPECT_EQ(width, font->lineHeight());
    EXPECT_EQ(extent.right - extent.left, width);
    EXPECT_GT(extent.bottom - extent.top, 3 * font->glyph('b')->advance);

    auto canvas = MakeCanvas(80, 120, kFill);
    PX_Rect r = {20, 20, 80, 120};
    EXPECT_EQ(font->drawText(canvas.get(), "AbgT", -1, &r, 0), width);
    PX_Rect ink = InkBounds(canvas.get(), kFill);
    EXPECT_GE(ink.left, extent.left);
    EXPECT_GE(ink.top, extent.top);
    EXPECT_LE(ink.right, extent.right);
    EXPECT_LE(ink.bottom, extent.bottom);
    EXPECT_GT(ink.bottom - ink.top, (extent.bottom - extent.top) / 2);
  }
}

// The editor's knob text on this platform: every drop of ink inside the
// measured extent, and the extent filled from end to end.
TEST(CachedFontText, EditorTextInkStaysInsideItsExtent) {
  auto font = MakeFont("Arial", 15, PX_FONT_NATIVE);
  ASSERT_NE(font, nullptr);
  font->setTextColor(0xC8FFFFFF);
  const char* text = "Ondivox 1/16T \xC3\x84\xC3\x96\xC3\x9C";
  PX_Rect extent = {20, 20, 0, 0};
  int height = font->drawText(nullptr, text, -1, &extent, PX_TEXT_CALCRECT | PX_TEXT_FOREGROUND_ALPHA);
  EXPECT_EQ(height, 15);
  EXPECT_GT(extent.right - extent.left, 100);

  auto canvas = MakeCanvas(300, 60, kFill);
  PX_Rect r = {20, 20, 280, 40};
  font->drawText(canvas.get(), text, -1, &r, PX_TEXT_NOCLIP | PX_TEXT_FOREGROUND_ALPHA);
  PX_Rect ink = InkBounds(canvas.get(), kFill);
  EXPECT_GE(ink.left, extent.left);
  EXPECT_GE(ink.top, extent.top);
  EXPECT_LE(ink.right, extent.right);
  EXPECT_LE(ink.bottom, extent.bottom);
  EXPECT_LE(ink.left, extent.left + 3);
  EXPECT_GE(ink.right, extent.right - 3);
  EXPECT_LE(ink.top, extent.top + 3);  // the umlauts' dots reach the top
}

}  // namespace
