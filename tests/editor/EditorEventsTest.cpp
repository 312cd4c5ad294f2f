// Event routing through a headless editor with real controls bound to a
// test plug-in that logs what a host would see.
#include <gtest/gtest.h>

#include "EditorTestHost.h"
#include "controls/Button.h"
#include "controls/ImageControl.h"
#include "controls/KnobRotVal.h"

namespace {

struct EventsTest : ::testing::Test {
  EditorHarness h;
  IFrameStrip knobImage = CoordStrip(h.editor, 40, 40, 1);

  IKnobRotVal* Knob(int32_t param, int32_t cx, int32_t cy) {
    return h.Add(new IKnobRotVal(&h.plug, param, cx, cy, knobImage, ITextStyle(), 5, 300, 4.0, 0, 0, 0.2f, true, 0));
  }
  IImageControl* Background() {
    auto* bg = new IImageControl(&h.plug, -1, IRect(0, 0, 200, 150), knobImage, true);
    h.editor->AddControl(bg);
    return bg;
  }
};

}  // namespace

TEST_F(EventsTest, TopmostVisibleUngreyedControlIsHit) {
  Background();
  IKnobRotVal* lower = Knob(TestPlug::kLevel, 50, 50);
  IKnobRotVal* upper = Knob(TestPlug::kCount, 50, 50);
  EXPECT_EQ(h.editor->ControlAt(50, 50), 2);
  upper->Hide(true);
  EXPECT_EQ(h.editor->ControlAt(50, 50), 1);
  upper->Hide(false);
  upper->SetGrayed(true);
  EXPECT_EQ(h.editor->ControlAt(50, 50), 1);
  lower->SetGrayed(true);
  EXPECT_EQ(h.editor->ControlAt(50, 50), 0);
  EXPECT_EQ(h.editor->ControlAt(199, 149), 0);
}

TEST_F(EventsTest, ClickOnEmptyPlaceReachesNothing) {
  Knob(TestPlug::kLevel, 50, 50);
  h.Click(150, 140);
  EXPECT_EQ(h.plug.TakeLog(), "");
}

TEST_F(EventsTest, DragKeepsGoingToTheCapturedControl) {
  Background();
  IKnobRotVal* knob = Knob(TestPlug::kLevel, 50, 50);
  knob->ApplyPlugValue(0.5);
  h.editor->HandleMouseDown(50, 50, Left());
  h.editor->HandleMouseDrag(50, 40, Left());
  h.editor->HandleMouseDrag(150, 10, Left());  // far outside the knob
  h.editor->HandleMouseUp(150, 10, Left());
  EXPECT_GT(knob->Value(), 0.5);
  EXPECT_EQ(h.plug.TakeLog(), "B0 P0 P0 P0 E0");  // two drags, the release's detent push
  EXPECT_EQ(h.editor->CaptureIndex(), -1);
}

TEST_F(EventsTest, TwoDragsAtOnePointMoveOnce) {
  IKnobRotVal* knob = Knob(TestPlug::kLevel, 50, 50);
  knob->ApplyPlugValue(0.5);
  h.editor->HandleMouseDown(50, 50, Left());
  h.editor->HandleMouseDrag(50, 45, Left());
  double once = knob->Value();
  h.editor->HandleMouseDrag(50, 45, Left());
  EXPECT_EQ(knob->Value(), once);
  EXPECT_EQ(h.plug.TakeLog(), "B0 P0");
}

TEST_F(EventsTest, DragWithoutCaptureDoesNothing) {
  IKnobRotVal* knob = Knob(TestPlug::kLevel, 50, 50);
  knob->ApplyPlugValue(0.5);
  h.editor->HandleMouseDrag(50, 10, Left());
  EXPECT_EQ(knob->Value(), 0.5);
  EXPECT_EQ(h.plug.TakeLog(), "");
}

TEST_F(EventsTest, DoubleClickRestoresTheDefaultInsideOneGesture) {
  IKnobRotVal* knob = Knob(TestPlug::kLevel, 50, 50);
  knob->ApplyPlugValue(0.5);
  knob->ApplyPlugValue(0.9);
  EXPECT_FALSE(h.editor->HandleDoubleClick(50, 50, Left()));
  h.editor->HandleMouseUp(50, 50, Left());
  EXPECT_DOUBLE_EQ(knob->Value(), 0.5);
  EXPECT_EQ(h.plug.TakeLog(), "B0 P0 P0 E0");  // the reset, then the release's push
}

TEST_F(EventsTest, WheelEndsTheHostGestureAfterTheCountdown) {
  IKnobRotVal* knob = Knob(TestPlug::kLevel, 50, 50);
  knob->ApplyPlugValue(0.5);
  h.editor->HandleMouseWheel(50, 50, IMouseState(), 1);
  EXPECT_DOUBLE_EQ(knob->Value(), 0.51);
  EXPECT_EQ(h.plug.TakeLog(), "B0 P0");
  EXPECT_EQ(h.editor->Countdown(), 12);  // half a second at 24 ticks
  h.Ticks(11);
  EXPECT_EQ(h.plug.TakeLog(), "");
  // Another notch before the end restarts the countdown within the gesture.
  h.editor->HandleMouseWheel(50, 50, IMouseState(), 1);
  EXPECT_EQ(h.plug.TakeLog(), "P0");
  h.Ticks(11);
  EXPECT_EQ(h.plug.TakeLog(), "");
  h.Ticks(1);
  EXPECT_EQ(h.plug.TakeLog(), "E0");
  h.Ticks(20);
  EXPECT_EQ(h.plug.TakeLog(), "");
}

TEST_F(EventsTest, WheelOnAnotherParameterEndsThePendingGestureFirst) {
  Knob(TestPlug::kLevel, 50, 50)->ApplyPlugValue(0.5);
  Knob(TestPlug::kCount, 120, 50)->ApplyPlugValue(0.5);
  h.editor->HandleMouseWheel(50, 50, IMouseState(), 1);
  h.editor->HandleMouseWheel(120, 50, IMouseState(), -1);
  EXPECT_EQ(h.plug.TakeLog(), "B0 P0 E0 B1 P1");
  h.Ticks(12);
  EXPECT_EQ(h.plug.TakeLog(), "E1");
}

TEST_F(EventsTest, ClickDuringAWheelGestureEndsItBeforeItsOwnBegins) {
  Knob(TestPlug::kLevel, 50, 50)->ApplyPlugValue(0.5);
  h.editor->HandleMouseWheel(50, 50, IMouseState(), 1);
  h.Click(50, 50);
  h.Ticks(12);
  EXPECT_EQ(h.plug.TakeLog(), "B0 P0 E0 B0 P0 E0");
}

TEST(EditCountdown, WaitsHalfTheFrameRateAndAtLeastOneTick) {
  struct Case { int32_t fps, ticks; } cases[] = {{30, 15}, {1, 1}, {0, 12}};
  for (const Case& c : cases) {
    EditorHarness h(c.fps);
    h.plug.EndParamEditDeferred(TestPlug::kLevel);
    EXPECT_EQ(h.editor->Countdown(), c.ticks) << c.fps;
    h.Ticks(c.ticks - 1);
    EXPECT_EQ(h.plug.TakeLog(), "");
    h.Ticks(1);
    EXPECT_EQ(h.plug.TakeLog(), "E0");
  }
}

TEST(EditCountdown, DeferringAnotherParameterEndsThePendingOneAtOnce) {
  EditorHarness h;
  h.plug.EndParamEditDeferred(TestPlug::kLevel);
  h.plug.EndParamEditDeferred(TestPlug::kShape);
  EXPECT_EQ(h.plug.TakeLog(), "E0");
  h.Ticks(12);
  EXPECT_EQ(h.plug.TakeLog(), "E2");
  h.plug.EndParamEditDeferred(TestPlug::kLevel);
  h.plug.FlushDeferredEdit();  // as when the window closes
  EXPECT_EQ(h.plug.TakeLog(), "E0");
  EXPECT_EQ(h.editor->Countdown(), 0);
}

TEST(EditCountdown, WithoutAnEditorTheEndIsImmediate) {
  TestPlug plug;
  plug.EndParamEditDeferred(TestPlug::kShape);
  EXPECT_EQ(plug.TakeLog(), "E2");
}

TEST_F(EventsTest, MouseOverAndOutTrackTheControlUnderThePointer) {
  Background();
  IKnobRotVal* a = Knob(TestPlug::kLevel, 50, 50);
  IKnobRotVal* b = Knob(TestPlug::kCount, 120, 50);
  EXPECT_FALSE(h.editor->HandleMouseOver(50, 50, IMouseState()));  // off until the instrument asks
  h.editor->SetHandleMouseOver(true);
  EXPECT_TRUE(h.editor->HandleMouseOver(50, 50, IMouseState()));
  EXPECT_TRUE(a->Hovered());
  EXPECT_TRUE(h.editor->HandleMouseOver(120, 50, IMouseState()));
  EXPECT_FALSE(a->Hovered());
  EXPECT_TRUE(b->Hovered());
  EXPECT_EQ(h.editor->MouseOverIndex(), 2);
  h.editor->HandleMouseOut();
  EXPECT_FALSE(b->Hovered());
  EXPECT_EQ(h.editor->MouseOverIndex(), -1);
}

TEST_F(EventsTest, ParameterTrafficReachesEveryBoundControl) {
  IKnobRotVal* a = Knob(TestPlug::kLevel, 50, 50);
  IKnobRotVal* b = Knob(TestPlug::kLevel, 120, 50);
  IKnobRotVal* other = Knob(TestPlug::kCount, 50, 110);
  h.editor->SetParamFromPlug(TestPlug::kLevel, 25.0, false);  // plain 25 of 0..100
  // Posted from any thread; the controls take it on the editor's tick.
  EXPECT_NE(a->Value(), 0.25);
  h.editor->Tick();
  EXPECT_DOUBLE_EQ(a->Value(), 0.25);
  EXPECT_DOUBLE_EQ(b->Value(), 0.25);
  EXPECT_EQ(h.plug.TakeLog(), "");  // values from the plug-in never go back
  h.editor->PushParamValue(TestPlug::kLevel, 0.75);
  EXPECT_EQ(h.plug.TakeLog(), "P0 P0");
  EXPECT_DOUBLE_EQ(h.plug.Param(TestPlug::kLevel)->value, 75.0);
  h.editor->HideParamControls(TestPlug::kLevel, true);
  EXPECT_FALSE(a->IsHidden());
  h.editor->Tick();
  EXPECT_TRUE(a->IsHidden());
  EXPECT_TRUE(b->IsHidden());
  EXPECT_FALSE(other->IsHidden());
  h.editor->SetParamFromPlug(TestPlug::kNumParams, 0.5, true);  // no such parameter: nothing
  h.editor->PushParamValue(TestPlug::kNumParams, 0.5);
  EXPECT_EQ(h.plug.TakeLog(), "");
}

TEST_F(EventsTest, HostAutomationAndInstrumentMovesReachTheEditor) {
  IKnobRotVal* knob = Knob(TestPlug::kLevel, 50, 50);
  h.plug.SetParamFromHost(TestPlug::kLevel, 0.2);
  h.editor->Tick();
  EXPECT_DOUBLE_EQ(knob->Value(), 0.2);
  EXPECT_EQ(h.plug.TakeLog(), "");
  h.plug.ChangeParamFromInstrument(TestPlug::kLevel, 150.0);  // clamped to the maximum
  EXPECT_DOUBLE_EQ(knob->Value(), 1.0);
  EXPECT_EQ(h.plug.TakeLog(), "B0 P0 E0");
  h.plug.Param(TestPlug::kLevel)->value = 40.0;
  h.plug.RefreshEditorParams();
  h.editor->Tick();
  EXPECT_DOUBLE_EQ(knob->Value(), 0.4);
}

TEST(AttachEditor, PushesEveryValueAndReplacesAnEarlierEditor) {
  TestPlug plug;
  auto* first = new IEditorWin(&plug, 100, 100, 0);
  auto* knob = new IKnobRotVal(&plug, TestPlug::kLevel, 20, 20, IFrameStrip(nullptr, 10, 10, 1), ITextStyle(), 5,
                               300, 4.0, 0, 0, 0.2f, true, 0);
  first->AddControl(knob);
  plug.AttachEditor(first);
  EXPECT_DOUBLE_EQ(knob->Value(), 0.5);
  EXPECT_DOUBLE_EQ(knob->DefaultValue(), 0.5);
  ASSERT_NE(first->DrawBitmap(), nullptr);
  EXPECT_EQ(first->DrawBitmap()->width(), 100);
  // The plug-in owns its editor; a second one takes the first one's place
  // (the sanitizer build would report the first one leaking).
  plug.AttachEditor(new IEditorWin(&plug, 100, 100, 0));
  plug.AttachEditor(nullptr);
  EXPECT_NE(plug.Editor(), nullptr);
}
