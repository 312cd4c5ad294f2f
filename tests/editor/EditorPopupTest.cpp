// The value popup seen from the editor: opening on right-click, closing on
// an outside click with ("", -1) to its owner, picking an item.
#include <gtest/gtest.h>

#include "EditorTestHost.h"
#include "controls/ImageControl.h"
#include "controls/KnobRotVal.h"
#include "controls/PromptPopup.h"

namespace {

// A knob that keeps what its popups told it, as an instrument's own
// control would.
class ChoiceKnob : public IKnobRotVal {
 public:
  ChoiceKnob(IEffectBase* plug, int32_t param, int32_t cx, int32_t cy, const IFrameStrip& image)
      : IKnobRotVal(plug, param, cx, cy, image, ITextStyle(), 5, 300, 4.0, 0, 0, 0.2f, true, 0) {}
  void PopupChoice(const char* text, int32_t index) override {
    choices += std::string(text) + "#" + std::to_string(index) + ";";
  }
  std::string choices;
};

struct PopupTest : ::testing::Test {
  EditorHarness h;
  IFrameStrip image = CoordStrip(h.editor, 30, 30, 1);
  ChoiceKnob* knob = nullptr;

  void SetUp() override {
    h.editor->AddControl(new IImageControl(&h.plug, -1, IRect(0, 0, 200, 150), image, true));
    // Near the corner, so the popup is pushed inside and leaves part of the knob free.
    knob = h.Add(new ChoiceKnob(&h.plug, TestPlug::kShape, 185, 120, image));
    h.plug.RefreshEditorParams();
    h.editor->Tick();
  }
  PromptPopup* OpenPopup() {
    h.Click(185, 120, Right());
    return dynamic_cast<PromptPopup*>(h.editor->Popup());
  }
};

}  // namespace

TEST_F(PopupTest, RightClickOpensThePopupOnTopWithTheCurrentValueSelected) {
  h.plug.SetParamFromHost(TestPlug::kShape, h.plug.Param(TestPlug::kShape)->PlainToNormalized(2));
  h.editor->Tick();
  PromptPopup* popup = OpenPopup();
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(h.editor->IndexOf(popup), h.editor->ControlCount() - 1);
  EXPECT_FALSE(popup->IsHidden());
  EXPECT_EQ(popup->Owner(), knob);
  EXPECT_EQ(popup->Count(), 4);
  EXPECT_EQ(popup->Selected(), 2);
  EXPECT_EQ(h.plug.TakeLog(), "");  // opening a prompt is no edit
}

TEST_F(PopupTest, OutsideClickClosesItAndTellsTheOwner) {
  PromptPopup* popup = OpenPopup();
  ASSERT_NE(popup, nullptr);
  h.plug.TakeLog();
  h.editor->Draw(IRect(0, 0, 200, 150));
  h.Click(3, 3);  // on the background
  EXPECT_EQ(h.editor->Popup(), nullptr);
  EXPECT_EQ(knob->choices, "#-1;");
  EXPECT_EQ(h.plug.TakeLog(), "");
  EXPECT_TRUE(h.editor->GetControl(0)->IsDirty());  // everything is repainted
}

TEST_F(PopupTest, RightClickOnTheOwnerOnlyClosesIt) {
  ASSERT_NE(OpenPopup(), nullptr);
  h.plug.TakeLog();
  const IRect& p = h.editor->Popup()->Rect();
  ASSERT_FALSE(p.Contains(198, 120));
  h.Click(198, 120, Right());
  EXPECT_EQ(h.editor->Popup(), nullptr);
  EXPECT_EQ(knob->choices, "#-1;");
  EXPECT_EQ(h.plug.TakeLog(), "");
}

TEST_F(PopupTest, ClickInsideDoesNotClose) {
  PromptPopup* popup = OpenPopup();
  ASSERT_NE(popup, nullptr);
  const IRect& r = popup->Rect();
  h.Click(r.L + 10, r.T + 2, Right());  // the right button on a cell does nothing
  EXPECT_EQ(h.editor->Popup(), popup);
  EXPECT_EQ(knob->choices, "");
}

TEST_F(PopupTest, PickingAnItemEditsTheOwnerAndCloses) {
  PromptPopup* popup = OpenPopup();
  ASSERT_NE(popup, nullptr);
  h.plug.TakeLog();
  const IRect r = popup->Rect();
  int32_t row = 3;
  int32_t y = r.T + row * popup->RowHeight() + popup->RowHeight() / 2;
  // A point over the knob too: once the popup is gone, the release must not
  // reach the knob underneath as a gesture of its own.
  int32_t x = r.L + 55;
  ASSERT_TRUE(knob->Rect().Contains(x, y));
  h.editor->HandleMouseDown(x, y, Left());
  h.editor->HandleMouseUp(x, y, Left());
  EXPECT_EQ(h.editor->Popup(), nullptr);
  EXPECT_EQ(knob->choices, "Noise#3;");
  EXPECT_EQ(h.plug.TakeLog(), "B2 P2 E2");
  EXPECT_DOUBLE_EQ(h.plug.Param(TestPlug::kShape)->value, 3.0);
  EXPECT_EQ(h.editor->CaptureIndex(), -1);
}

TEST_F(PopupTest, PickingTheCurrentItemStillEdits) {
  PromptPopup* popup = OpenPopup();
  ASSERT_NE(popup, nullptr);
  h.plug.TakeLog();
  const IRect r = popup->Rect();
  h.Click(r.L + 20, r.T + popup->RowHeight() / 2);
  EXPECT_EQ(knob->choices, "Sine#0;");
  EXPECT_EQ(h.plug.TakeLog(), "B2 P2 E2");
}

TEST_F(PopupTest, RightClickOnAContinuousParameterAsksForTheEntryBox) {
  auto* level = h.Add(new ChoiceKnob(&h.plug, TestPlug::kLevel, 40, 40, image));
  h.Click(40, 40, Right());
  EXPECT_EQ(h.editor->Popup(), nullptr);
  EXPECT_EQ(h.editor->EntryControl(), level);
  h.plug.TakeLog();
  h.editor->CommitEntry("12.5");
  EXPECT_EQ(h.plug.TakeLog(), "B0 P0 E0");
  EXPECT_DOUBLE_EQ(h.plug.Param(TestPlug::kLevel)->value, 12.5);
  EXPECT_EQ(h.editor->EntryControl(), nullptr);
  // Text that holds no finite number commits 0, "inf" as much as "abc".
  for (const char* text : {"abc", "nan", "inf", ""}) {
    h.Click(40, 40, Right());
    ASSERT_EQ(h.editor->EntryControl(), level) << text;
    h.plug.TakeLog();
    h.editor->CommitEntry(text);
    EXPECT_EQ(h.plug.TakeLog(), "B0 P0 E0") << text;
    EXPECT_DOUBLE_EQ(h.plug.Param(TestPlug::kLevel)->value, 0.0) << text;
    EXPECT_EQ(h.editor->EntryControl(), nullptr) << text;
  }
}
