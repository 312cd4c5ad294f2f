#include <gtest/gtest.h>

#include "editor/EditorTestHost.h"
#include "controls/Button.h"
#include "controls/ButtonClick.h"
#include "controls/ButtonHold.h"
#include "controls/SwitchLbl.h"

TEST(SwitchLbl, StepsThroughItsPositionsAndWraps) {
  EditorHarness h;
  IFrameStrip strip = CoordStrip(h.editor, 20, 160, 8);
  auto* sw = h.Add(new ISwitchLbl(&h.plug, TestPlug::kCount, 10, 10, strip, ITextStyle(), 0, 0, 0, 0.2f));
  EXPECT_EQ(sw->Rect(), IRect(10, 10, 30, 10 + 20 + 14));
  for (int i = 1; i <= 7; ++i) {
    h.Click(15, 15);
    EXPECT_NEAR(sw->Value(), i / 7.0, 1e-9) << i;
  }
  h.Click(15, 15);
  EXPECT_EQ(sw->Value(), 0.0);
  sw->SetValue(0.4);
  EXPECT_EQ(sw->Frame(), 4);
}

TEST(SwitchLbl, SingleFrameSwitchToggles) {
  EditorHarness h;
  IFrameStrip strip = CoordStrip(h.editor, 20, 20, 1);
  auto* sw = h.Add(new ISwitchLbl(&h.plug, TestPlug::kFlag, 10, 10, strip, ITextStyle(), 0, 0, 0, 0.2f));
  h.Click(15, 15);
  EXPECT_EQ(sw->Value(), 1.0);
  h.Click(15, 15);
  EXPECT_EQ(sw->Value(), 0.0);
  EXPECT_EQ(h.plug.TakeLog(), "B3 P3 E3 B3 P3 E3");
}

TEST(SwitchLbl, RightClickOpensThePopupAndSendsNothing) {
  EditorHarness h;
  IFrameStrip strip = CoordStrip(h.editor, 20, 80, 4);
  auto* sw = h.Add(new ISwitchLbl(&h.plug, TestPlug::kShape, 50, 50, strip, ITextStyle(), 0, 0, 0, 0.2f));
  sw->ApplyPlugValue(1.0 / 3.0);
  h.Click(55, 55, Right());
  EXPECT_NE(h.editor->Popup(), nullptr);
  EXPECT_NEAR(sw->Value(), 1.0 / 3.0, 1e-12);
  EXPECT_EQ(h.plug.TakeLog(), "");
}

TEST(SwitchLbl, FramesAcrossAndAWiderControlCentreTheFrame) {
  EditorHarness h;
  IFrameStrip strip = CoordStrip(h.editor, 60, 20, 3);
  ITextStyle noText;
  noText.size = 0;
  auto* sw = h.Add(new ISwitchLbl(&h.plug, TestPlug::kCount, 10, 10, strip, noText, 0, 40, 1, 0.2f));
  EXPECT_EQ(sw->Rect(), IRect(10, 10, 50, 30));
  sw->SetValue(1.0);
  EXPECT_EQ(sw->FrameRect(), IRect(20, 10, 40, 30));
  h.editor->Draw(IRect(0, 0, 200, 150));
  EXPECT_EQ((PixelAt(h.editor, 20, 10) >> 12) & 0xFFF, 40u);  // third frame
}

TEST(Button, ToggleTreatsHalfAsOffAndRightClickSendsNothing) {
  EditorHarness h;
  IFrameStrip strip = CoordStrip(h.editor, 30, 20, 1);
  auto* b = h.Add(new IButton(&h.plug, TestPlug::kFlag, 10, 10, strip, 0.2f));
  EXPECT_EQ(b->Rect(), IRect(10, 10, 40, 30));
  b->SetValue(0.5);
  h.Click(20, 20);
  EXPECT_EQ(b->Value(), 1.0);
  h.Click(20, 20, Right());
  EXPECT_EQ(b->Value(), 1.0);
  h.Click(20, 20);
  EXPECT_EQ(b->Value(), 0.0);
  EXPECT_EQ(h.plug.TakeLog(), "B3 P3 E3 B3 P3 E3");
}

TEST(Button, HoverPreviewsTheOnImageFaintly) {
  EditorHarness h;
  IFrameStrip strip = CoordStrip(h.editor, 30, 20, 1);
  auto* b = h.Add(new IButton(&h.plug, TestPlug::kFlag, 10, 10, strip, 0.2f));
  struct Case { double value; bool hover; float opacity; } cases[] = {
      {0.0, false, 0.0f}, {0.0, true, 0.2f}, {1.0, false, 1.0f}, {1.0, true, 0.8f}};
  for (const Case& c : cases) {
    b->SetValue(c.value);
    if (c.hover)
      b->MouseOver(20, 20, IMouseState());
    else
      b->MouseOut();
    EXPECT_FLOAT_EQ(b->ImageOpacity(), c.opacity) << c.value << c.hover;
  }
  // Off and not hovered: the background shows; nothing is drawn.
  b->SetValue(0.0);
  b->MouseOut();
  ClearSurface(h.editor);
  h.editor->Draw(IRect(0, 0, 200, 150));
  EXPECT_EQ(PixelAt(h.editor, 20, 20), 0u);
}

TEST(ButtonClick, RaisesTheFlagOnEveryPress) {
  EditorHarness h;
  IFrameStrip strip = CoordStrip(h.editor, 30, 20, 1);
  auto* b = h.Add(new IButtonClick(&h.plug, TestPlug::kFlag, 10, 10, strip, 0.2f));
  bool clicked = false;
  b->SetClickFlag(&clicked);
  h.Click(20, 20, Right());
  EXPECT_TRUE(clicked);
  clicked = false;
  h.Click(20, 20);
  EXPECT_TRUE(clicked);
  EXPECT_EQ(b->Value(), 1.0);
}

TEST(ButtonHold, OnWhileHeldAndOffWhenReleasedAnywhere) {
  EditorHarness h;
  IFrameStrip strip = CoordStrip(h.editor, 30, 20, 1);
  auto* b = h.Add(new IButtonHold(&h.plug, TestPlug::kFlag, 10, 10, strip));
  h.editor->HandleMouseDown(20, 20, Left());
  EXPECT_EQ(b->Value(), 1.0);
  h.editor->HandleMouseDrag(150, 120, Left());
  h.editor->HandleMouseUp(150, 120, Left());  // outside: the captured button still gets it
  EXPECT_EQ(b->Value(), 0.0);
  EXPECT_EQ(h.plug.TakeLog(), "B3 P3 P3 E3");
  EXPECT_EQ(h.plug.performed, (std::vector<double>{1.0, 0.0}));
}
