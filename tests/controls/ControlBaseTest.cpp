// IControl's shared behaviour, through real controls in a headless editor.
#include <gtest/gtest.h>

#include "editor/EditorTestHost.h"
#include "controls/KnobRotVal.h"
#include "controls/SwitchLbl.h"

namespace {

struct ControlBaseTest : ::testing::Test {
  EditorHarness h;
  IFrameStrip image = CoordStrip(h.editor, 20, 20, 1);
  IKnobRotVal* Knob(int32_t param) {
    return h.Add(new IKnobRotVal(&h.plug, param, 50, 50, image, ITextStyle(), 5, 300, 4.0, 0, 0, 0.2f, true, 0));
  }
};

}  // namespace

TEST_F(ControlBaseTest, FirstPlugValueBecomesTheDefaultEvenWhenEqual) {
  IKnobRotVal* knob = Knob(TestPlug::kLevel);
  h.editor->Draw(IRect(0, 0, 200, 150));
  ASSERT_FALSE(knob->IsDirty());
  knob->ApplyPlugValue(0.0);  // equal to the initial value, still the first
  EXPECT_DOUBLE_EQ(knob->DefaultValue(), 0.0);
  EXPECT_TRUE(knob->IsDirty());
  h.editor->Draw(IRect(0, 0, 200, 150));
  h.editor->Draw(IRect(0, 0, 200, 150));
  knob->ApplyPlugValue(0.0);
  EXPECT_FALSE(knob->IsDirty());
  knob->ApplyPlugValue(0.3);
  EXPECT_TRUE(knob->IsDirty());
  EXPECT_DOUBLE_EQ(knob->DefaultValue(), 0.0);
  EXPECT_EQ(h.plug.TakeLog(), "");
}

TEST_F(ControlBaseTest, DoubleClickBeforeAnyPlugValueChangesNothing) {
  IKnobRotVal* knob = Knob(TestPlug::kLevel);
  knob->SetValue(0.7);
  knob->MouseDoubleClick(50, 50, Left());
  EXPECT_DOUBLE_EQ(knob->Value(), 0.7);
  EXPECT_EQ(h.plug.TakeLog(), "");
}

TEST_F(ControlBaseTest, UserValueIsSentEvenWhenUnchanged) {
  IKnobRotVal* knob = Knob(TestPlug::kLevel);
  knob->ApplyPlugValue(0.5);
  knob->ApplyUserValue(0.5);
  EXPECT_EQ(h.plug.TakeLog(), "P0");
  knob->ApplyUserValue(1.7);  // clamped on its way
  EXPECT_DOUBLE_EQ(knob->Value(), 1.0);
  EXPECT_DOUBLE_EQ(h.plug.performed.back(), 1.0);
}

TEST_F(ControlBaseTest, WheelStepFollowsTheParameterKind) {
  struct Case { int32_t param; IMouseState mod; double step; } cases[] = {
      {TestPlug::kShape, IMouseState(), 0.125},  // 4 value texts
      {TestPlug::kShape, LeftShift(), 0.0125},
      {TestPlug::kLevel, IMouseState(), 0.01},
      {TestPlug::kCount, LeftShift(), 0.001},
      {TestPlug::kFlag, IMouseState(), 0.25},
  };
  for (const Case& c : cases) {
    IKnobRotVal* knob = Knob(c.param);
    knob->ApplyPlugValue(0.5);
    knob->MouseWheel(50, 50, c.mod, 2);
    EXPECT_NEAR(knob->Value(), 0.5 + 2 * c.step, 1e-12) << c.param;
    knob->MouseWheel(50, 50, c.mod, -1000);
    EXPECT_EQ(knob->Value(), 0.0) << c.param;
  }
}

TEST_F(ControlBaseTest, UnboundControlsNeverReachThePlugIn) {
  auto* knob = Knob(-1);
  knob->MouseWheel(50, 50, IMouseState(), 3);
  knob->MouseDown(50, 50, Right());
  knob->ApplyUserValue(0.4);
  EXPECT_EQ(h.plug.TakeLog(), "");
  EXPECT_EQ(h.editor->Popup(), nullptr);
  EXPECT_EQ(h.editor->EntryControl(), nullptr);
}

TEST_F(ControlBaseTest, GreyedControlsDrawAtAQuarterAndComeBack) {
  IKnobRotVal* knob = Knob(TestPlug::kLevel);
  knob->SetGrayed(true);
  EXPECT_FLOAT_EQ(knob->Blend().weight, 0.25f);
  h.editor->Draw(IRect(0, 0, 200, 150));
  EXPECT_FLOAT_EQ(knob->DrawBlend().weight, 0.25f);
  knob->SetGrayed(false);
  EXPECT_FLOAT_EQ(knob->Blend().weight, 1.0f);
}

TEST(PopupPlacement, StaysSixPixelsInsideTheEditor) {
  // A switch bound to a 4-item list, in the corners and the middle of a 200 x 150 editor.
  struct Case { int32_t x, y; } cases[] = {{0, 0}, {180, 130}, {90, 60}};
  for (const Case& c : cases) {
    EditorHarness h;
    IFrameStrip s = CoordStrip(h.editor, 20, 40, 2);
    h.Add(new ISwitchLbl(&h.plug, TestPlug::kShape, c.x, c.y, s, ITextStyle(), 0, 0, 0, 0.2f));
    h.Click(c.x + 5, c.y + 5, Right());
    ASSERT_NE(h.editor->Popup(), nullptr);
    IRect r = h.editor->Popup()->Rect();
    EXPECT_GE(r.L, 6) << c.x;
    EXPECT_GE(r.T, 6) << c.y;
    EXPECT_LE(r.R, 194) << c.x;
    EXPECT_LE(r.B, 144) << c.y;
  }
}
