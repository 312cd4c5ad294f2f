#include <gtest/gtest.h>

#include "raster/Font.h"
#include "raster/FontTextPath.h"

namespace {

PX_TextPathQuery EditorText() {
  PX_TextPathQuery q;
  q.fontFlags = PX_FONT_OWNS_HANDLE | PX_FONT_NATIVE;
  q.hasHandle = true;
  q.textFlags = PX_TEXT_NOCLIP | PX_TEXT_CENTER;
  q.lineHeight = 15;
  return q;
}

TEST(FontTextPath, ChoosesBetweenSystemAndGlyphCache) {
  struct Case {
    const char* name;
    void (*change)(PX_TextPathQuery&);
    bool native;
  };
  const Case cases[] = {
      {"opaque editor text", [](PX_TextPathQuery&) {}, true},
      {"foreground alpha", [](PX_TextPathQuery& q) { q.textFlags |= PX_TEXT_FOREGROUND_ALPHA; }, false},
      {"forced glyph cache", [](PX_TextPathQuery& q) { q.textFlags |= PX_TEXT_GLYPH_CACHE; }, false},
      {"under Wine", [](PX_TextPathQuery& q) { q.underWine = true; }, false},
      {"font without native flag", [](PX_TextPathQuery& q) { q.fontFlags = PX_FONT_OWNS_HANDLE; }, false},
      {"no handle", [](PX_TextPathQuery& q) { q.hasHandle = false; }, false},
      {"vertical", [](PX_TextPathQuery& q) { q.fontFlags |= PX_FONT_VERTICAL; }, false},
      {"ascii only", [](PX_TextPathQuery& q) { q.fontFlags |= PX_FONT_ASCII_ONLY; }, false},
      {"blur", [](PX_TextPathQuery& q) { q.fontFlags |= PX_FONT_BLUR; }, false},
      {"outline", [](PX_TextPathQuery& q) { q.fontFlags |= PX_FONT_OUTLINE; }, false},
      {"line spacing, several lines",
       [](PX_TextPathQuery& q) {
         q.lineSpacing = 3;
         q.singleLine = false;
       },
       false},
      {"line spacing, one line", [](PX_TextPathQuery& q) { q.lineSpacing = 3; }, true},
      {"tall font under Wine",
       [](PX_TextPathQuery& q) {
         q.lineHeight = 300;
         q.underWine = true;
         q.textFlags |= PX_TEXT_FOREGROUND_ALPHA;
       },
       true},
      {"255 is still cached",
       [](PX_TextPathQuery& q) {
         q.lineHeight = 255;
         q.underWine = true;
       },
       false},
      {"no system drawing at all",
       [](PX_TextPathQuery& q) {
         q.systemCanDraw = false;
         q.lineHeight = 300;
       },
       false},
  };
  for (const auto& c : cases) {
    PX_TextPathQuery q = EditorText();
    c.change(q);
    EXPECT_EQ(PX_DrawsNatively(q), c.native) << c.name;
  }
}

TEST(FontTextPath, AlignsTheTextBoxInTheRectangle) {
  const PX_Rect rect = {10, 20, 110, 60};  // 100 x 40
  struct Case {
    uint32_t flags;
    int x, y;
  };
  const Case cases[] = {
      {0, 10, 20},
      {PX_TEXT_CENTER, 10 + (100 - 31) / 2, 20},
      {PX_TEXT_RIGHT, 110 - 31, 20},
      {PX_TEXT_VCENTER, 10, 20 + (40 - 15) / 2},
      {PX_TEXT_BOTTOM | PX_TEXT_RIGHT, 79, 45},
  };
  for (const auto& c : cases) {
    PX_TextOrigin o = PX_AlignText(rect, 31, 15, c.flags);
    EXPECT_EQ(o.x, c.x) << c.flags;
    EXPECT_EQ(o.y, c.y) << c.flags;
  }
}

}  // namespace
