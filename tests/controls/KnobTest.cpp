#include <gtest/gtest.h>

#include <cmath>

#include "editor/EditorTestHost.h"
#include "controls/KnobMulti.h"
#include "controls/KnobRotVal.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

struct KnobTest : ::testing::Test {
  EditorHarness h;
  IFrameStrip image = CoordStrip(h.editor, 40, 40, 1);
  IKnobRotVal* Knob(int32_t positions, int32_t textOffset = 5) {
    return h.Add(new IKnobRotVal(&h.plug, TestPlug::kLevel, 60, 50, image, ITextStyle(), textOffset, 300, 4.0, 0,
                                 0, 0.2f, true, positions));
  }
};

}  // namespace

TEST_F(KnobTest, RectangleHoldsTheImageAndTheTextBand) {
  EXPECT_EQ(Knob(0)->Rect(), IRect(40, 30, 80, 70 + 14 + 5));
  EXPECT_EQ(Knob(0, -3)->Rect(), IRect(40, 30, 80, 70));  // text drawn over the knob
  auto* wide = h.Add(new IKnobMulti(&h.plug, 0, 60, 50, CoordStrip(h.editor, 280, 30, 7), ITextStyle(), 2, 300, 4.0,
                                    0, 0));
  EXPECT_EQ(wide->Rect(), IRect(40, 35, 80, 65 + 14 + 2));
}

TEST_F(KnobTest, DragMathsAndClamping) {
  IKnobRotVal* knob = Knob(0);
  int32_t height = knob->Rect().B - knob->Rect().T;
  struct Case { IMouseState mod; int32_t dY; double from, to; } cases[] = {
      {Left(), -height, 0.5, 0.75},        // a full height up with gearing 4
      {LeftShift(), -height, 0.5, 0.525},  // fine adjustment
      {Left(), height, 0.5, 0.25},
      {Left(), -10 * height, 0.5, 1.0},  // beyond the ends
      {Left(), 10 * height, 0.5, 0.0},
  };
  for (const Case& c : cases) {
    knob->SetValue(c.from);
    knob->MouseDrag(0, 0, 0, c.dY, c.mod);
    EXPECT_NEAR(knob->Value(), c.to, 1e-12) << c.dY;
  }
  EXPECT_EQ(h.plug.TakeLog(), "P0 P0 P0 P0 P0");
}

TEST_F(KnobTest, HorizontalKnobFollowsSidewaysDrags) {
  auto* knob = h.Add(new IKnobRotVal(&h.plug, 0, 60, 50, image, ITextStyle(), 5, 300, 4.0, 0, 1, 0.2f, true, 0));
  knob->SetValue(0.5);
  knob->MouseDrag(0, 0, 40, -500, Left());  // 40 = the control's width
  EXPECT_NEAR(knob->Value(), 0.75, 1e-12);
}

TEST_F(KnobTest, ReleaseSnapsToDetents) {
  IKnobRotVal* knob = Knob(5);  // 4 intervals
  EXPECT_EQ(knob->Steps(), 4);
  struct Case { double at, snapped; } cases[] = {{0.3, 0.25}, {0.38, 0.5}, {0.9, 1.0}};
  for (const Case& c : cases) {
    knob->SetValue(c.at);
    knob->MouseUp(0, 0, Left());
    EXPECT_DOUBLE_EQ(knob->Value(), c.snapped);
  }
  IKnobRotVal* free = Knob(0);
  free->SetValue(0.38);
  free->MouseUp(0, 0, Left());
  EXPECT_DOUBLE_EQ(free->Value(), 0.38);
  EXPECT_EQ(h.plug.TakeLog(), "P0 P0 P0 P0");  // a release always sends
}

TEST_F(KnobTest, RotationAndSourceOffsetAcrossTheSweep) {
  IKnobRotVal* knob = Knob(0);
  struct Case { double value; double degrees; float offset; } cases[] = {
      {0.5, 0.0, 0.0f}, {0.0, -150.0, -1.0f}, {1.0, 150.0, -1.0f}, {0.75, 75.0, -0.5f}};
  for (const Case& c : cases) {
    knob->SetValue(c.value);
    EXPECT_NEAR(knob->Angle(), c.degrees * kPi / 180.0, 1e-6) << c.value;
    EXPECT_FLOAT_EQ(knob->SourceOffset(), c.offset);
  }
}

TEST_F(KnobTest, HoverDimsUntilThePointerLeaves) {
  IKnobRotVal* knob = Knob(0);
  h.editor->Draw(IRect(0, 0, 200, 150));
  h.editor->SetHandleMouseOver(true);
  h.editor->HandleMouseOver(60, 50, IMouseState());
  EXPECT_TRUE(knob->IsDirty());  // shows at once
  h.editor->Draw(IRect(0, 0, 200, 150));
  EXPECT_FLOAT_EQ(knob->DrawBlend().weight, 0.8f);
  h.editor->HandleMouseOut();
  h.editor->Draw(IRect(0, 0, 200, 150));
  EXPECT_FLOAT_EQ(knob->DrawBlend().weight, 1.0f);
}

TEST_F(KnobTest, UnrotatedKnobAtTheMiddleReproducesItsImage) {
  IKnobRotVal* knob = Knob(0);
  knob->SetValue(0.5);
  ClearSurface(h.editor);
  h.editor->Draw(IRect(0, 0, 200, 150));
  // The image's centre pixel lands on the knob's centre.
  uint32_t p = PixelAt(h.editor, 60, 50);
  EXPECT_EQ((p >> 12) & 0xFFF, 20u);
  EXPECT_EQ(p & 0xFFF, 20u);
}

TEST(FrameForValue, RoundsHalfAwayAndClamps) {
  struct Case { int32_t frames; double value; int32_t frame; } cases[] = {
      {7, 0.0, 1}, {7, 0.5, 4}, {7, 1.0, 7}, {8, 0.4, 4}, {1, 0.9, 1}, {4, 1.5, 4}, {4, -1.0, 1}, {3, 0.25, 2}};
  for (const Case& c : cases) EXPECT_EQ(FrameForValue(c.frames, c.value), c.frame) << c.frames << " " << c.value;
}

TEST(KnobMulti, ShowsTheFrameForItsValue) {
  EditorHarness h;
  IFrameStrip strip = CoordStrip(h.editor, 280, 30, 7);
  auto* knob = h.Add(new IKnobMulti(&h.plug, TestPlug::kShape, 60, 50, strip, ITextStyle(), 2, 300, 4.0, 0, 0));
  EXPECT_EQ(knob->FrameRect(), IRect(40, 35, 80, 65));
  struct Case { double value; uint32_t srcX; } cases[] = {{0.0, 0}, {0.5, 120}, {1.0, 240}};
  for (const Case& c : cases) {
    knob->SetValue(c.value);
    h.editor->Draw(IRect(0, 0, 200, 150));
    EXPECT_EQ((PixelAt(h.editor, 40, 40) >> 12) & 0xFFF, c.srcX) << c.value;
  }
}
