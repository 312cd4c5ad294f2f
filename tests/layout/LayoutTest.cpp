#include <gtest/gtest.h>

#include "LayoutHost.h"
#include "controls/DropDown.h"
#include "controls/DropDownChild.h"
#include "controls/PromptPopup.h"
#include "controls/TextControl.h"
#include "instrument/Graph.h"
#include "instrument/GraphPrm.h"

namespace {

TEST(Layout, EveryControlAnswersWhereTheFaceShowsIt) {
  LayoutHost h;
  h.Start();
  struct Case {
    int param;
    int32_t x, y;  // a point the user would click
  };
  const Case cases[] = {
      {kBaseFreq, 49, 130},        {kIsoRate, 125, 130},       {kWave, 201, 130},
      {kGoldenIso, 274, 103},      {kIsoOn, 274, 139},         {kPlayAnyway, 277, 165},
      {kFade, 347, 129},           {kRound, 400, 129},         {kPan, 453, 129},
      {kVolume, 506, 129},         {kLfo1Sync, 207, 206},      {kLfo1Target, 124, 222},
      {kLfo1Start, 45, 279},       {kLfo1Wave, 97, 279},       {kLfo1Depth, 149, 279},
      {kLfo1RateNote, 201, 279},   {kLfo2Sync, 511, 206},      {kLfo2Target, 428, 222},
      {kLfo2Start, 349, 279},      {kLfo2Wave, 401, 279},      {kLfo2Depth, 453, 279},
      {kLfo2RateNote, 505, 279},   {kLfosSync, 275, 334},
  };
  for (const Case& c : cases) {
    IControl* control = h.At(c.x, c.y);
    ASSERT_NE(control, nullptr) << c.x << "," << c.y;
    EXPECT_EQ(control->ParamIndex(), c.param) << c.x << "," << c.y;
  }
}

TEST(Layout, SizesFollowThePictures) {
  LayoutHost h;
  struct Case {
    int param;
    IRect rect;
  };
  const Case cases[] = {
      // The "Wave" knob: 80 wide, the picture's height plus its value text.
      {kWave, IRect(161, 101, 241, 179)},
      // On/off switches: one frame of the strip, no text band.
      {kGoldenIso, IRect(261, 95, 288, 111)},
      {kIsoOn, IRect(261, 131, 288, 147)},
      {kPlayAnyway, IRect(243, 154, 311, 177)},
      {kLfosSync, IRect(235, 323, 315, 346)},
  };
  for (const Case& c : cases) {
    IControl* control = h.VisibleFor(c.param);
    ASSERT_NE(control, nullptr) << c.param;
    const IRect& r = control->Rect();
    EXPECT_TRUE(r.L == c.rect.L && r.T == c.rect.T && r.R == c.rect.R && r.B == c.rect.B)
        << c.param << ": " << r.L << "," << r.T << "," << r.R << "," << r.B;
  }
}

TEST(Layout, DisplaysLieRightAboveTheBackgroundAndShowTheVersion) {
  LayoutHost h;
  IEditor* ed = h.Editor();
  ASSERT_NE(ed, nullptr);
  EXPECT_NE(dynamic_cast<GRAPH*>(ed->GetControl(1)), nullptr);
  EXPECT_NE(dynamic_cast<GRAPH*>(ed->GetControl(2)), nullptr);
  EXPECT_NE(dynamic_cast<GRAPHPRM*>(ed->GetControl(3)), nullptr);
  auto* version = dynamic_cast<ITextControl*>(ed->GetControl(4));
  ASSERT_NE(version, nullptr);
  EXPECT_STREQ(version->Text(), "v1.1");
}

TEST(Layout, RateKnobsOfOneLfoShareOnePlace) {
  LayoutHost h;
  for (int j = 0; j < 2; ++j) {
    const int p = j * kLfoParamCount;
    IControl* note = h.VisibleFor(kLfo1RateNote + p);
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(h.VisibleFor(kLfo1RateMs + p), nullptr) << "LFO " << j + 1 << " starts synced";
    h.Set(kLfo1Sync + p, 0);
    IControl* ms = h.VisibleFor(kLfo1RateMs + p);
    ASSERT_NE(ms, nullptr);
    EXPECT_TRUE(note->IsHidden());
    // Same centre, so the swap shows no movement.
    EXPECT_EQ(ms->Rect().L + ms->Rect().R, note->Rect().L + note->Rect().R);
    EXPECT_EQ(ms->Rect().T, note->Rect().T);
  }
}

// --- Gestures ----------------------------------------------------------------

TEST(LayoutGestures, TurningBaseFreqIsOneHostGesture) {
  LayoutHost h;
  h.Start();
  h.TakeLog();
  h.DragUp(49, 130, 40);
  EXPECT_GT(h.Param(kBaseFreq)->value, 200.0);
  const std::string log = h.TakeLog();
  EXPECT_EQ(log.rfind("B0 P0", 0), 0u) << log;
  EXPECT_EQ(log.substr(log.size() - 5), "P0 E0") << log;
  EXPECT_EQ(log.find("P1"), std::string::npos) << log;
}

TEST(LayoutGestures, WaveKnobPopupPicksAWave) {
  LayoutHost h;
  h.Start();
  h.Click(201, 130, Right());
  auto* popup = dynamic_cast<PromptPopup*>(h.Ed()->Popup());
  ASSERT_NE(popup, nullptr);
  ASSERT_EQ(popup->Count(), 8);
  ASSERT_STREQ(popup->Item(2), "Saw");
  h.TakeLog();
  const IRect& r = popup->Rect();
  h.Click(r.L + popup->ItemWidth() / 2, r.T + popup->RowHeight() * 2 + popup->RowHeight() / 2);
  EXPECT_EQ(h.Param(kWave)->value, 2.0);
  EXPECT_EQ(h.TakeLog(), "B3 P3 E3");
  EXPECT_EQ(h.Ed()->Popup(), nullptr);
}

TEST(LayoutGestures, LfoTargetDropDownStartsTheLfo) {
  LayoutHost h;
  h.Start();
  h.Click(124, 222);
  auto* drop = dynamic_cast<IDropDown*>(h.VisibleFor(kLfo1Target));
  ASSERT_NE(drop, nullptr);
  ASSERT_TRUE(drop->Shown());
  const IRect grid = drop->Child()->Rect();
  // "Pan" is the fifth of the six names in the list.
  const int32_t row = (grid.B - grid.T) / 6;
  h.TakeLog();
  h.Click(grid.L + 20, grid.T + row * 4 + row / 2);
  h.Ed()->Tick();  // the pick reaches the plug-in on the next drawing
  EXPECT_EQ(h.Param(kLfo1Target)->value, 4.0);
  EXPECT_EQ(h.TakeLog(), "B10 P10 E10");
  EXPECT_FALSE(drop->Shown());
  EXPECT_TRUE(h.LfoDisplayOf(0).Active());
  EXPECT_EQ(h.LfoDisplayOf(0).Minimum(), -1.0f);
  EXPECT_EQ(h.LfoDisplayOf(0).Maximum(), 1.0f);
}

// A click on an LFO's sync toggle swaps its rate knob and keeps the speed
// as near as the other unit allows.
TEST(LayoutGestures, SyncToggleSwapsTheRateKnobAndKeepsTheSpeed) {
  struct Case {
    int lfo;
    bool synced;      // before the click
    double rate;      // in the unit before the click
    double expected;  // in the other unit
  };
  const Case cases[] = {
      {0, true, 12, 1000.0},   // "1/2" at 120 BPM is one second
      {1, true, 9, 500.0},     // "1/4"
      {0, false, 1100.0, 12},  // nearer "1/2" than "1/1T"
      {1, false, 2000.0, 15},  // a bar: "1/1"
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lfo);
    SCOPED_TRACE(c.rate);
    LayoutHost h;
    h.Start();
    const int p = c.lfo * kLfoParamCount;
    const int sync = kLfo1Sync + p, note = kLfo1RateNote + p, ms = kLfo1RateMs + p;
    if (!c.synced) h.Set(sync, 0);
    h.Set(c.synced ? note : ms, c.rate);
    h.Render(480);
    h.TakeLog();

    h.Click(183 + 304 * c.lfo + 24, 206);

    const int now = c.synced ? ms : note;
    const int before = c.synced ? note : ms;
    EXPECT_EQ(h.Param(sync)->value, c.synced ? 0.0 : 1.0);
    EXPECT_NEAR(h.Param(now)->value, c.expected, 1e-6);
    ASSERT_NE(h.VisibleFor(now), nullptr);
    EXPECT_EQ(h.VisibleFor(before), nullptr);
    // The knob the user now sees is the one answering at that place.
    EXPECT_EQ(h.At(201 + 304 * c.lfo, 279)->ParamIndex(), now);
    const std::string log = h.TakeLog();
    const std::string s = std::to_string(sync), n = std::to_string(now);
    EXPECT_NE(log.find("B" + s + " P" + s), std::string::npos) << log;
    EXPECT_NE(log.find("B" + n + " P" + n + " E" + n), std::string::npos) << log;
  }
}

TEST(LayoutGestures, AutomatedSyncSwapsTheKnobButKeepsBothRates) {
  LayoutHost h;
  h.Start();
  h.Render(480);
  h.Set(kLfo2Sync, 0);
  EXPECT_NE(h.VisibleFor(kLfo2RateMs), nullptr);
  EXPECT_EQ(h.VisibleFor(kLfo2RateNote), nullptr);
  EXPECT_EQ(h.Param(kLfo2RateMs)->value, 2000.0);
  h.Set(kLfo2Sync, 1);
  EXPECT_NE(h.VisibleFor(kLfo2RateNote), nullptr);
  EXPECT_EQ(h.VisibleFor(kLfo2RateMs), nullptr);
  EXPECT_EQ(h.Param(kLfo2RateNote)->value, 15.0);
}

}  // namespace
