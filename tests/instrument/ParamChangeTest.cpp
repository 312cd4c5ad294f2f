#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "Signal.h"
#include "instrument/RateNotes.h"

namespace {

TEST(ParamChange, BaseFreqAppliesInTenthsOfAHertz) {
  struct Step {
    double set, heard;
  };
  // 440.02 and 440.04 are both 440.0 Hz; 440.06 is the next tenth.
  const Step steps[] = {{440.04, 440.0}, {440.02, 440.0}, {440.06, 440.1}};
  EngineHost h;
  StartPlainTone(h, 2 /* saw */, 440.04);
  for (const Step& s : steps) {
    h.SetExact(kBaseFreq, s.set);
    h.Render(480);
    for (double hz : SawFrequencies(h.Render(480).left, kFullGain)) ASSERT_NEAR(hz, s.heard, 1e-6) << s.set;
  }
}

TEST(ParamChange, PulseRateAppliesInHundredthsAndIsShown) {
  struct Step {
    double set, shown;
  };
  const Step steps[] = {{7.834, 7.83}, {7.826, 7.83}, {7.835, 7.84}, {0.5, 0.5}, {512, 512}};
  EngineHost h;
  h.Start();
  for (const Step& s : steps) {
    h.SetExact(kIsoRate, s.set);
    EXPECT_NEAR(h.PulseRate().Value(), s.shown, 1e-5) << s.set;
  }
}

TEST(ParamChange, RenderingWaitsUntilAll25ParametersWereApplied) {
  std::vector<int> order(kNumParams);
  for (int i = 0; i < kNumParams; ++i) order[i] = i;
  std::mt19937 shuffle(7);
  for (int round = 0; round < 3; ++round) {
    std::shuffle(order.begin(), order.end(), shuffle);
    EngineHost h;
    h.Setup(48000.0, 64);
    for (int i = 0; i < kNumParams; ++i) {
      EXPECT_FALSE(h.IsReady()) << "after " << i << " parameters";
      // Until then a block leaves the outputs as they are.
      std::vector<double> l(64, 7.0), r(64, 7.0);
      double* outs[2] = {l.data(), r.data()};
      h.ProcessBuffers(nullptr, outs, 64);
      ASSERT_EQ(l[10], 7.0);
      h.ParamChanged(order[i]);
      h.ParamChanged(order[i]);  // a repeat counts once
    }
    EXPECT_TRUE(h.IsReady());
    Stereo s = h.Render(4800);
    EXPECT_GT(*std::max_element(s.left.begin(), s.left.end()), 0.1);
  }
}

TEST(ParamChange, PulsingOffRestartsTheLevelFromSilence) {
  EngineHost h;
  StartPlainTone(h, 3 /* square */, 100.0);
  h.Set(kIsoOn, 1);
  h.Set(kIsoOn, 0);
  Stereo s = h.Render(1000);
  EXPECT_NEAR(std::fabs(s.left[0]), kFullGain / 1000, 1e-6);
  EXPECT_NEAR(std::fabs(s.left[499]), kFullGain / 2, 1e-3);
}

// --- The sync switch ---------------------------------------------------------

// LFO 1 free-running at the given period, then its sync toggle clicked.
int NoteAfterClick(double tempo, int periodMs) {
  EngineHost h;
  h.tempo = tempo;
  h.Start();
  h.Set(kLfo1Sync, 0);
  h.Set(kLfo1RateMs, periodMs);
  h.Render(480);
  h.OnRateSyncClicked();
  h.Set(kLfo1Sync, 1);
  return static_cast<int>(h.Param(kLfo1RateNote)->value);
}

TEST(ParamChange, SyncClickPicksTheNearestNote) {
  struct Case {
    double tempo;
    int periodMs;
    int entry;
  };
  const Case cases[] = {
      {120, 2000, 15},  // a bar of 4/4: "1/1"
      {120, 500, 9},    // a beat: "1/4"
      {120, 1000, 12},  // "1/2"
      {120, 1100, 12},  // nearer "1/2" (1000 ms) than "1/1T" (1333 ms)
      {120, 1200, 13},  // nearer "1/1T"
      {30, 60, 0},      // faster than "1/32" (250 ms): the fastest entry
      {240, 64000, 30}, // slower than "32/1" (32 s): the slowest
  };
  for (const Case& c : cases)
    EXPECT_EQ(NoteAfterClick(c.tempo, c.periodMs), c.entry) << c.tempo << " BPM, " << c.periodMs << " ms";
}

TEST(ParamChange, SyncClickToMillisecondsKeepsThePeriod) {
  EngineHost h;
  h.Start();
  h.Set(kLfo1RateNote, 12);  // "1/2" at 120 BPM: one second
  h.Render(480);
  h.OnRateSyncClicked();
  h.Set(kLfo1Sync, 0);
  EXPECT_NEAR(h.Param(kLfo1RateMs)->value, 1000.0, 1e-6);
}

TEST(ParamChange, SyncChangeWithoutAClickLeavesTheOtherRateAlone) {
  EngineHost h;
  h.Start();
  h.Set(kLfo2RateNote, 3);
  h.Render(480);
  h.Set(kLfo2Sync, 0);
  EXPECT_EQ(h.Param(kLfo2RateMs)->value, 2000.0);
  h.Set(kLfo2Sync, 1);
  EXPECT_EQ(h.Param(kLfo2RateNote)->value, 3.0);
}

TEST(RateNotes, NoteLengths) {
  struct Case {
    int entry;
    double wholeNotes;
  };
  const Case cases[] = {{0, 1.0 / 32}, {1, 1.0 / 24}, {2, 3.0 / 64}, {3, 1.0 / 16}, {13, 2.0 / 3},
                        {14, 0.75},    {15, 1.0},     {18, 2.0},     {29, 24.0},    {30, 32.0}};
  for (const Case& c : cases) EXPECT_NEAR(NoteLengthWholeNotes(c.entry), c.wholeNotes, c.wholeNotes * 1e-6) << c.entry;
}

TEST(RateNotes, NearestEntryAtBothEnds) {
  const double wholeNote = 96000.0;
  EXPECT_EQ(NearestNoteEntry(SyncedIncrement(0, wholeNote) * 10.0, wholeNote), 0);
  EXPECT_EQ(NearestNoteEntry(SyncedIncrement(0, wholeNote), wholeNote), 0);
  EXPECT_EQ(NearestNoteEntry(SyncedIncrement(30, wholeNote), wholeNote), 30);
  EXPECT_EQ(NearestNoteEntry(SyncedIncrement(30, wholeNote) * 0.1, wholeNote), 30);
  EXPECT_EQ(NearestNoteEntry(0.0, wholeNote), 30);
  for (int i = 0; i < 31; ++i) EXPECT_EQ(NearestNoteEntry(SyncedIncrement(i, wholeNote), wholeNote), i);
}

}  // namespace
