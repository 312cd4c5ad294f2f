#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "LayoutHost.h"
#include "instrument/Graph.h"
#include "instrument/GraphPrm.h"
#include "raster/Bitmap.h"

namespace {

TEST(GraphPrm, BandNames) {
  struct Case {
    float hz;
    const char* band;
  };
  const Case cases[] = {
      {0.0f, "DELTA"},   {0.01f, "EPSILON"}, {0.49f, "EPSILON"}, {0.5f, "DELTA"},  {3.99f, "DELTA"},
      {4.0f, "THETA"},   {7.99f, "THETA"},   {8.0f, "ALPHA"},    {10.0f, "ALPHA"}, {14.0f, "BETA"},
      {30.0f, "GAMMA"},  {99.99f, "GAMMA"},  {100.0f, "LAMBDA"}, {512.0f, "LAMBDA"},
  };
  for (const Case& c : cases) EXPECT_STREQ(GRAPHPRM::BandName(c.hz), c.band) << c.hz;
}

TEST(GraphPrm, RedrawsOnlyWhenThePulseRateChanges) {
  LayoutHost h;
  h.Start();
  auto* label = dynamic_cast<IControl*>(h.Editor()->GetControl(3));
  ASSERT_NE(label, nullptr);
  h.Ed()->Tick();
  EXPECT_FALSE(label->IsDirty());
  h.Set(kIsoRate, 10.0);
  EXPECT_TRUE(label->IsDirty());
  h.Ed()->Tick();
  EXPECT_FALSE(label->IsDirty());
}

TEST(Graph, RedrawsOnlyWhenTheBarMoves) {
  LayoutHost h;
  h.Start();
  auto* bar = dynamic_cast<IControl*>(h.Editor()->GetControl(1));
  ASSERT_NE(bar, nullptr);
  h.Ed()->Tick();
  EXPECT_FALSE(bar->IsDirty()) << "no LFO: nothing to show";
  h.Set(kLfo1Target, 4);
  h.Render(4800);
  EXPECT_TRUE(bar->IsDirty());
  h.Ed()->Tick();
  EXPECT_FALSE(bar->IsDirty());
  h.Render(4800);
  EXPECT_TRUE(bar->IsDirty()) << "the LFO moved on";
  h.Set(kLfo1Target, 0);
  h.Ed()->Tick();
  EXPECT_FALSE(bar->IsDirty());
}

// One row of the drawn editor.
std::vector<uint32_t> Row(LayoutHost& h, int32_t y, int32_t from, int32_t to) {
  PX_IBitmap* b = h.Editor()->DrawBitmap();
  std::vector<uint32_t> row;
  for (int32_t x = from; x < to; ++x) row.push_back(b->pixels()[y * b->rowStride() + x]);
  return row;
}

// The columns of a track row that differ from the bare track.
std::vector<int32_t> Changed(const std::vector<uint32_t>& bare, const std::vector<uint32_t>& now) {
  std::vector<int32_t> cols;
  for (size_t i = 0; i < bare.size(); ++i)
    if (bare[i] != now[i]) cols.push_back(static_cast<int32_t>(i));
  return cols;
}

uint32_t Channel(uint32_t pixel, int shift) { return (pixel >> shift) & 0xFF; }

// LFO 1 free-running at one cycle per second on "Pan", depth 100 %: its
// output is the bare sine, -1 .. 1.
void StartPanLfo(LayoutHost& h) {
  h.Start();
  h.Set(kLfo1Sync, 0);
  h.Set(kLfo1RateMs, 1000);
  h.Set(kLfo1Depth, 100);
  h.Set(kLfo1Target, 4);
  h.Setup(48000.0, 4800);
}

struct Tracks {
  std::vector<uint32_t> lfo1, lfo2;
};

Tracks DrawTracks(LayoutHost& h) {
  h.Editor()->RedrawAll();
  h.Ed()->Tick();
  return {Row(h, 324, 22, 223), Row(h, 324, 326, 527)};
}

TEST(Graph, BarFollowsTheLfoAcrossItsTrack) {
  LayoutHost bare;
  bare.Start();
  const Tracks empty = DrawTracks(bare);

  LayoutHost h;
  StartPanLfo(h);
  struct Step {
    int32_t frames;  // rendered before looking
    int32_t bar;     // where the bar starts on the track
  };
  // A quarter cycle to the top of the range, a half to the bottom.
  const Step steps[] = {{12000, 195}, {12000, 98}, {12000, 0}};
  for (const Step& s : steps) {
    h.Render(s.frames);
    EXPECT_EQ(static_cast<GRAPH*>(h.Editor()->GetControl(1))->BarOffset(), s.bar);
    const Tracks t = DrawTracks(h);
    std::vector<int32_t> expected;
    for (int32_t x = s.bar; x < s.bar + GRAPH::kBarWidth; ++x) expected.push_back(x);
    EXPECT_EQ(Changed(empty.lfo1, t.lfo1), expected) << "after " << s.frames;
    EXPECT_TRUE(Changed(empty.lfo2, t.lfo2).empty());
  }
}

TEST(Graph, Lfo2OnLfo1sTargetShowsOnlyTheRedMark) {
  LayoutHost bare;
  bare.Start();
  const Tracks empty = DrawTracks(bare);

  LayoutHost h;
  StartPanLfo(h);
  h.Set(kLfo2Target, 4);
  h.Render(4800);
  ASSERT_TRUE(h.LfoDisplayOf(1).Conflict());
  const Tracks t = DrawTracks(h);
  EXPECT_EQ(Changed(empty.lfo2, t.lfo2), (std::vector<int32_t>{0, 1, 2, 3, 4, 5}));
  EXPECT_GT(Channel(t.lfo2[0], 16), 150u);
  EXPECT_LT(Channel(t.lfo2[0], 8), 100u);

  // On a target of its own LFO 2 runs again: a bar, no mark.
  h.Set(kLfo2Target, 3);
  h.Render(4800);
  const Tracks again = DrawTracks(h);
  const std::vector<int32_t> bar = Changed(empty.lfo2, again.lfo2);
  ASSERT_EQ(bar.size(), static_cast<size_t>(GRAPH::kBarWidth));
  const uint32_t p = again.lfo2[bar[0]];
  EXPECT_LT(std::abs(int(Channel(p, 16)) - int(Channel(p, 8))), 60);
}

TEST(Graph, BarStaysOnItsTrack) {
  struct Case {
    float lo, hi, value;
    int32_t bar;
  };
  const Case cases[] = {
      {-1.0f, 1.0f, 0.0f, 98},  {-1.0f, 1.0f, 1.0f, 195},
      {0.0f, 1.0f, 2.0f, 195},  {0.0f, 1.0f, -1.0f, 0},  // out of range
      {0.5f, 0.5f, 0.5f, 0},                             // no range at all
  };
  for (const Case& c : cases) {
    LfoDisplay d;
    d.SetRange(c.lo, c.hi);
    d.SetValue(c.value);
    GRAPH g(nullptr, IRect(22, 324, 223, 326), d, false);
    EXPECT_EQ(g.BarOffset(), c.bar) << c.lo << ".." << c.hi << " at " << c.value;
  }
}

}  // namespace
