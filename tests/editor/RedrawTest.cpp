// The redraw cycle: dirty controls collected into one area, drawn in list
// order, and the frame and clipping rules of the drawing operations.
#include <gtest/gtest.h>

#include "EditorTestHost.h"
#include "controls/ImageControl.h"
#include "controls/TextControl.h"
#include "raster/CachedFont.h"

namespace {

IImageControl* Image(EditorHarness& h, const IRect& r, const IFrameStrip& s, bool vertical) {
  auto* c = new IImageControl(&h.plug, -1, r, s, vertical);
  c->SetBlend(IBlend(kBlendCopy, 1.0f));
  h.editor->AddControl(c);
  return c;
}

uint32_t SourceX(uint32_t pixel) { return (pixel >> 12) & 0xFFF; }
uint32_t SourceY(uint32_t pixel) { return pixel & 0xFFF; }

}  // namespace

TEST(Redraw, DirtyAreaIsTheUnionOfDirtyControlsHiddenOnesToo) {
  EditorHarness h;
  IFrameStrip s = CoordStrip(h.editor, 10, 10, 1);
  IImageControl* a = Image(h, IRect(10, 10, 20, 20), s, true);
  IImageControl* b = Image(h, IRect(50, 40, 60, 45), s, true);
  IRect area;
  ASSERT_TRUE(h.editor->CollectDirtyArea(&area));  // new controls start dirty
  EXPECT_EQ(area, IRect(10, 10, 60, 45));
  EXPECT_TRUE(h.editor->Draw(area));
  EXPECT_FALSE(h.editor->CollectDirtyArea(&area));
  b->Hide(true);  // hiding asks for one more paint after the next
  ASSERT_TRUE(h.editor->CollectDirtyArea(&area));
  EXPECT_EQ(area, b->Rect());
  h.editor->Draw(area);
  EXPECT_TRUE(h.editor->CollectDirtyArea(&area));
  h.editor->Draw(area);
  EXPECT_FALSE(h.editor->CollectDirtyArea(&area));
  a->ApplyPlugValue(0.0);
  EXPECT_TRUE(h.editor->CollectDirtyArea(&area));
}

TEST(Redraw, FarApartChangesAreRepaintedApart) {
  EditorHarness h;
  IFrameStrip s = CoordStrip(h.editor, 10, 10, 1);
  IImageControl* a = Image(h, IRect(0, 0, 10, 10), s, true);
  IImageControl* b = Image(h, IRect(100, 100, 110, 110), s, true);
  IImageControl* bridge = Image(h, IRect(5, 5, 105, 105), s, true);
  h.editor->Draw(IRect(0, 0, 200, 200));
  IRect areas[4];
  a->ApplyPlugValue(1.0);
  b->ApplyPlugValue(1.0);
  ASSERT_EQ(h.editor->CollectDirtyAreas(areas, 4), 2);
  EXPECT_EQ(areas[0], a->Rect());
  EXPECT_EQ(areas[1], b->Rect());
  // A third change overlapping both joins them into one area.
  bridge->ApplyPlugValue(1.0);
  ASSERT_EQ(h.editor->CollectDirtyAreas(areas, 4), 1);
  EXPECT_EQ(areas[0], IRect(0, 0, 110, 110));
  // With room for one area only, everything lands in it.
  ASSERT_EQ(h.editor->CollectDirtyAreas(areas, 1), 1);
  EXPECT_EQ(areas[0], IRect(0, 0, 110, 110));
  // The tick repaints every area before any flag is cleared.
  ClearSurface(h.editor);
  bridge->Hide(true);
  h.editor->Draw(IRect(0, 0, 200, 200));
  h.editor->Draw(IRect(0, 0, 200, 200));
  a->ApplyPlugValue(0.0);
  b->ApplyPlugValue(0.0);
  ClearSurface(h.editor);
  h.editor->Tick();
  EXPECT_NE(PixelAt(h.editor, 5, 5), 0u);
  EXPECT_NE(PixelAt(h.editor, 105, 105), 0u);
  EXPECT_EQ(PixelAt(h.editor, 50, 50), 0u);
  EXPECT_EQ(h.editor->CollectDirtyAreas(areas, 4), 0);
}

TEST(Redraw, AGroupGrownByAMergeJoinsAnEarlierOne) {
  EditorHarness h;
  IFrameStrip s = CoordStrip(h.editor, 10, 10, 1);
  Image(h, IRect(30, 0, 45, 25), s, true);
  Image(h, IRect(40, 40, 60, 60), s, true);
  Image(h, IRect(100, 100, 110, 110), s, true);
  // Out of groups, this one joins the last; that group then reaches the
  // second, and the second, grown, reaches the first.
  Image(h, IRect(58, 20, 59, 30), s, true);
  IRect areas[3];
  ASSERT_EQ(h.editor->CollectDirtyAreas(areas, 3), 1);
  EXPECT_EQ(areas[0], IRect(30, 0, 110, 110));
}

TEST(Redraw, OnlyVisibleControlsOverlappingTheAreaDraw) {
  EditorHarness h;
  IFrameStrip s = CoordStrip(h.editor, 10, 10, 1);
  Image(h, IRect(0, 0, 10, 10), s, true);
  IImageControl* hidden = Image(h, IRect(20, 0, 30, 10), s, true);
  hidden->Hide(true);
  Image(h, IRect(40, 0, 50, 10), s, true);
  ClearSurface(h.editor);
  h.editor->Draw(IRect(0, 0, 30, 10));
  EXPECT_EQ(PixelAt(h.editor, 5, 5), 0xFF000000u | 5u << 12 | 5u);
  EXPECT_EQ(PixelAt(h.editor, 25, 5), 0u);
  EXPECT_EQ(PixelAt(h.editor, 45, 5), 0u);
}

TEST(DrawImageAt, CopiesOnlyThePartInsideThePaintedArea) {
  EditorHarness h;
  IFrameStrip s = CoordStrip(h.editor, 40, 20, 1);
  Image(h, IRect(10, 10, 50, 30), s, true);
  ClearSurface(h.editor);
  h.editor->Draw(IRect(30, 0, 200, 150));
  EXPECT_EQ(PixelAt(h.editor, 29, 15), 0u);
  uint32_t p = PixelAt(h.editor, 30, 15);
  EXPECT_EQ(SourceX(p), 20u);
  EXPECT_EQ(SourceY(p), 5u);
  EXPECT_EQ(SourceX(PixelAt(h.editor, 49, 29)), 39u);
  EXPECT_EQ(PixelAt(h.editor, 50, 15), 0u);
}

TEST(DrawFrame, FrameOffsetsAlongTheStrip) {
  struct Case { int32_t frame; uint32_t srcX; } cases[] = {{0, 0}, {1, 0}, {3, 80}, {7, 240}};
  for (const Case& c : cases) {
    EditorHarness h;
    IFrameStrip s = CoordStrip(h.editor, 280, 12, 7);
    Image(h, IRect(0, 0, 40, 12), s, false);
    ClearSurface(h.editor);
    h.editor->Draw(IRect(0, 0, 200, 150));  // sets the painted area
    h.editor->DrawFrame(s, IRect(0, 0, 40, 12), c.frame, nullptr, false);
    EXPECT_EQ(SourceX(PixelAt(h.editor, 0, 0)), c.srcX) << "frame " << c.frame;
  }
  // Vertical strips step down the same way: frame 2 of 4 in 40 rows.
  EditorHarness h;
  IFrameStrip v = CoordStrip(h.editor, 10, 40, 4);
  IImageControl* c = Image(h, IRect(0, 0, 10, 10), v, true);
  c->ApplyPlugValue(1.0 / 3.0);  // frame 2
  h.editor->Draw(IRect(0, 0, 200, 150));
  EXPECT_EQ(SourceY(PixelAt(h.editor, 0, 0)), 10u);
}

TEST(DrawFrame, MissingImageDrawsNothing) {
  EditorHarness h;
  IFrameStrip none = h.editor->LoadFrameStrip(NextImageId(), "img/none.png", 3);
  EXPECT_EQ(none.image, nullptr);
  EXPECT_EQ(none.W, 0);
  Image(h, IRect(0, 0, 10, 10), none, true);
  ClearSurface(h.editor, 0x12345678u);
  EXPECT_TRUE(h.editor->Draw(IRect(0, 0, 10, 10)));
  EXPECT_EQ(PixelAt(h.editor, 5, 5), 0x12345678u);
}

TEST(ImageCache, OneBitmapPerResourceWhateverTheFrameCount) {
  EditorHarness h;
  int32_t id = 0;
  IFrameStrip a = CoordStrip(h.editor, 20, 10, 2, &id);
  EditorHarness other;
  IFrameStrip b = other.editor->LoadFrameStrip(id, "", 5);
  EXPECT_EQ(a.image, b.image);
  EXPECT_EQ(b.N, 5);
  EXPECT_EQ(b.W, 20);
}

TEST(DrawText, StylesThatDifferOnlyInColourShareOneFont) {
  EditorHarness h;
  ITextStyle red("Arial", 13, IArgb(255, 255, 0, 0));
  ITextStyle blue("Arial", 13, IArgb(255, 0, 0, 255), 0, kAlignCentre, 0, 2);
  h.editor->Draw(IRect(0, 0, 200, 150));
  ASSERT_TRUE(h.editor->DrawText(&red, "Ab", IRect(0, 0, 100, 20)));
  ASSERT_TRUE(h.editor->DrawText(&blue, "Ab", IRect(0, 20, 100, 40)));
  ASSERT_NE(red.cachedFont, nullptr);
  EXPECT_EQ(red.cachedFont, blue.cachedFont);
  EXPECT_EQ(blue.cachedFont->textColor(), 0xFF0000FFu);  // set before each draw
  ITextStyle bold("Arial", 13, IArgb(255, 0, 0, 0), 1);
  ASSERT_TRUE(h.editor->DrawText(&bold, "Ab", IRect(0, 40, 100, 60)));
  EXPECT_NE(bold.cachedFont, red.cachedFont);
  EXPECT_TRUE(h.editor->DrawText(&bold, "", IRect(0, 40, 100, 60)));
}

TEST(DrawText, TranslucentColourDrawsTranslucentText) {
  // White text on black: the brightest ink shows the opacity it was drawn at.
  auto brightest = [](int32_t alpha) {
    EditorHarness h;
    ITextStyle style("Arial", 20, IArgb(alpha, 255, 255, 255), 1);
    h.editor->AddControl(new ITextControl(&h.plug, IRect(0, 0, 200, 40), style, "HIH"));
    ClearSurface(h.editor, 0xFF000000u);
    h.editor->Draw(IRect(0, 0, 200, 40));
    uint32_t most = 0;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 200; ++x) most = std::max(most, PixelAt(h.editor, x, y) & 0xFFu);
    return most;
  };
  EXPECT_GE(brightest(255), 250u);
  uint32_t half = brightest(128);
  EXPECT_GT(half, 100u);
  EXPECT_LT(half, 150u);
}
