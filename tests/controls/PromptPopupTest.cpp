// The value popup's own geometry and scrolling.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "editor/EditorTestHost.h"
#include "controls/ImageControl.h"
#include "controls/PromptPopup.h"

namespace {

PromptPopup* PopupWith(EditorHarness& h, int count, const char* text = nullptr) {
  auto* p = new PromptPopup(&h.plug, 10, 10, 70, 1, h.editor->popupText, h.editor->popupBack, h.editor->popupFrame);
  for (int i = 0; i < count; ++i) p->AddItem(text ? text : std::to_string(i).c_str());
  h.editor->AddControl(p);
  return p;
}

}  // namespace

TEST(PromptPopup, RowsHeightAndScrollBarFollowTheItemCount) {
  struct Case { int count; int rows; int height; bool scroll; int thumb; } cases[] = {
      {3, 5, 63, false, 0},  {5, 5, 105, false, 0},  {8, 5, 105, true, 90},  {9, 5, 105, true, 85},
      {10, 6, 126, true, 105}, {25, 7, 147, true, 48}, {40, 9, 189, true, 31},  // over 4 x rows: 1.5 rows
  };
  for (const Case& c : cases) {
    EditorHarness h;
    PromptPopup* p = PopupWith(h, c.count);
    EXPECT_EQ(p->RowHeight(), 21);
    EXPECT_EQ(p->VisibleRows(), c.rows) << c.count;
    EXPECT_EQ(p->Rect().H(), c.height) << c.count;
    EXPECT_EQ(p->HasScrollBar(), c.scroll) << c.count;
    EXPECT_EQ(p->ThumbHeight(), c.thumb) << c.count;
    EXPECT_EQ(p->Rect().W(), 74 + (c.scroll ? 11 : 0)) << c.count;
  }
}

TEST(PromptPopup, LongTextsWidenTheColumn) {
  EditorHarness h;
  PromptPopup* p = PopupWith(h, 2, "ABCDEFGHIJ");
  EXPECT_EQ(p->ItemWidth(), 98);
  EXPECT_EQ(p->Rect().W(), 102);
  PromptPopup* clipped = PopupWith(h, 1, "a text far longer than any value text can be");
  EXPECT_EQ(std::string(clipped->Item(0)).size(), 31u);
}

TEST(PromptPopup, SelectionIsScrolledIntoTheMiddle) {
  EditorHarness h;
  PromptPopup* p = PopupWith(h, 25);  // 7 rows shown, 18 hidden
  TestPlug& plug = h.plug;
  plug.Param(TestPlug::kLong)->value = 12;
  p->SetUp(plug.Param(TestPlug::kLong), nullptr);
  EXPECT_EQ(p->Selected(), 12);
  int travel = p->Rect().H() - p->ThumbHeight() - 2;
  EXPECT_EQ(p->ThumbPos(), static_cast<int>(std::lround(travel * 9.0 / 18)));
  EXPECT_EQ(p->FirstVisible(), 9);  // rows 9..15: the selection is in the middle
  plug.Param(TestPlug::kLong)->value = 0;
  p->SetUp(plug.Param(TestPlug::kLong), nullptr);
  EXPECT_EQ(p->FirstVisible(), 0);
}

TEST(PromptPopup, ThumbDragAndWheelStayWithinTheTrack) {
  EditorHarness h;
  PromptPopup* p = PopupWith(h, 25);
  const IRect r = p->Rect();
  int travel = r.H() - p->ThumbHeight() - 2;
  int trackX = r.R - 5;
  h.editor->HandleMouseDown(trackX, r.T + 5, Left());  // on the thumb
  h.editor->HandleMouseDrag(trackX, r.T + 25, Left());
  EXPECT_EQ(p->ThumbPos(), 20);
  h.editor->HandleMouseDrag(trackX, r.T + 900, Left());
  EXPECT_EQ(p->ThumbPos(), travel);
  EXPECT_EQ(p->FirstVisible(), 18);
  h.editor->HandleMouseUp(trackX, r.T + 900, Left());
  h.editor->HandleMouseWheel(trackX, r.T + 5, IMouseState(), 2);
  EXPECT_EQ(p->ThumbPos(), travel - 6);
  h.editor->HandleMouseWheel(trackX, r.T + 5, IMouseState(), 100);
  EXPECT_EQ(p->ThumbPos(), 0);
  // A click on the track away from the thumb centres the thumb there.
  h.editor->HandleMouseDown(trackX, r.T + 100, Left());
  EXPECT_EQ(p->ThumbPos(), 100 - 1 - p->ThumbHeight() / 2);
  h.editor->HandleMouseUp(trackX, r.T + 100, Left());
  EXPECT_EQ(h.plug.TakeLog(), "");
}

TEST(PromptPopup, HoverTracksCellsAndNothingPastTheList) {
  EditorHarness h;
  PromptPopup* p = PopupWith(h, 3);
  const IRect r = p->Rect();
  p->MouseOver(r.L + 20, r.T + 21 + 5, IMouseState());
  EXPECT_EQ(p->Hovered(), 1);
  p->MouseOut();
  EXPECT_EQ(p->Hovered(), -2);
  PromptPopup* scrolling = PopupWith(h, 8);
  const IRect s = scrolling->Rect();
  scrolling->MouseOver(s.R - 3, s.T + 5, IMouseState());
  EXPECT_EQ(scrolling->Hovered(), -1);  // over the scroll bar
  scrolling->MouseOver(s.L + 20, s.B, IMouseState());
  EXPECT_EQ(scrolling->Hovered(), -1);  // the bottom edge shows no item
}

TEST(PromptPopup, PickInAScrolledListUsesTheFirstVisibleItem) {
  EditorHarness h;
  PromptPopup* p = PopupWith(h, 25);
  auto* owner = h.Add(new IImageControl(&h.plug, TestPlug::kLong, IRect(0, 0, 5, 5), IFrameStrip(), true));
  owner->ApplyPlugValue(h.plug.Param(TestPlug::kLong)->PlainToNormalized(24));  // the value it shows
  p->SetUp(h.plug.Param(TestPlug::kLong), owner);
  h.editor->SetPopup(p);
  int first = p->FirstVisible();
  ASSERT_GT(first, 0);
  const IRect r = p->Rect();
  h.Click(r.L + 20, r.T + 2 * 21 + 5);  // the third row shown
  EXPECT_EQ(h.editor->Popup(), nullptr);
  EXPECT_EQ(h.editor->ControlCount(), 1);
  EXPECT_DOUBLE_EQ(h.plug.Param(TestPlug::kLong)->value, first + 2.0);
  EXPECT_EQ(h.plug.TakeLog(), "B4 P4 E4");
}
