#include <gtest/gtest.h>

#include "editor/EditorTestHost.h"
#include "controls/DropDown.h"
#include "controls/DropDownChild.h"

namespace {

struct DropDownTest : ::testing::Test {
  EditorHarness h;
  IFrameStrip current = CoordStrip(h.editor, 40, 40, 4);  // 10 rows a frame
  IFrameStrip grid = CoordStrip(h.editor, 40, 80, 4);     // 4 choices, one column
  IDropDown* dd = h.Add(new IDropDown(&h.plug, TestPlug::kShape, 20, 20, current, grid, 1, 0));

  void SetUp() override {
    h.plug.RefreshEditorParams();
    h.editor->Tick();
  }
};

}  // namespace

TEST_F(DropDownTest, GridPickReachesTheHostWhenTheDropDownNextDraws) {
  EXPECT_EQ(dd->Rect(), IRect(20, 19, 60, 31));
  h.Click(30, 25);
  ASSERT_NE(dd->Child(), nullptr);
  EXPECT_TRUE(dd->Shown());
  EXPECT_EQ(dd->Child()->Rect(), IRect(20, 30, 60, 110));  // below, touching by one row
  h.plug.TakeLog();
  h.Click(30, 30 + 45);  // third quarter of the grid's height
  EXPECT_NEAR(dd->Value(), 2.0 / 3.0, 1e-12);
  EXPECT_TRUE(dd->Child()->IsHidden());
  EXPECT_EQ(h.plug.TakeLog(), "");  // the grid is not bound
  h.editor->Tick();
  EXPECT_EQ(h.plug.TakeLog(), "B2 P2 E2");
  EXPECT_DOUBLE_EQ(h.plug.Param(TestPlug::kShape)->value, 2.0);
  EXPECT_FALSE(dd->Shown());
  h.Ticks(3);
  EXPECT_EQ(h.plug.TakeLog(), "");
}

TEST_F(DropDownTest, ClickingTheDropDownAgainOrRightClickingClosesWithoutChange) {
  h.Click(30, 25);
  h.Click(30, 25);
  EXPECT_FALSE(dd->Shown());
  EXPECT_TRUE(dd->Child()->IsHidden());
  h.Click(30, 25);
  EXPECT_FALSE(dd->Child()->IsHidden());
  h.Click(30, 25, Right());
  EXPECT_TRUE(dd->Child()->IsHidden());
  EXPECT_EQ(h.editor->Popup(), nullptr);  // no value popup on a drop-down
  EXPECT_EQ(dd->Value(), 0.0);
  h.plug.TakeLog();
  h.Ticks(2);
  EXPECT_EQ(h.plug.TakeLog(), "");
}

TEST_F(DropDownTest, HostChangesAreNotSentBackAsPicks) {
  h.Click(30, 25);  // the grid now exists
  h.Click(30, 25);
  h.plug.TakeLog();
  h.plug.SetParamFromHost(TestPlug::kShape, 1.0);
  h.Ticks(2);
  EXPECT_EQ(dd->Value(), 1.0);
  EXPECT_EQ(h.plug.TakeLog(), "");
}

TEST_F(DropDownTest, DrawsTheFrameOfTheCurrentChoice) {
  dd->ApplyPlugValue(1.0);
  ClearSurface(h.editor);
  h.editor->Draw(IRect(0, 0, 200, 150));
  EXPECT_EQ(PixelAt(h.editor, 20, 20) & 0xFFF, 30u);  // top row of the fourth frame
  EXPECT_EQ(PixelAt(h.editor, 20, 29) & 0xFFF, 39u);  // its last row too
}

TEST(DropDownChild, PicksByColumnAndRow) {
  EditorHarness h;
  IFrameStrip grid = CoordStrip(h.editor, 60, 40, 5);  // 5 choices in 2 columns: 3 rows
  double value = 0.5;
  auto* child = h.Add(new IDropDownChild(&h.plug, 0, 0, grid, &value, 2));
  struct Case { int32_t x, y; double value; } cases[] = {
      {5, 5, 0.0}, {5, 20, 0.25}, {35, 5, 0.75}, {35, 20, 1.0}, {35, 35, 0.0}};
  for (const Case& c : cases) {
    value = 0.5;
    child->Hide(false);
    child->MouseDown(c.x, c.y, Left());
    EXPECT_DOUBLE_EQ(value, c.value) << c.x << "," << c.y;
    EXPECT_TRUE(child->IsHidden());
  }
}
