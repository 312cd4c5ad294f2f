#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "Signal.h"
#include "instrument/Lfo.h"

namespace {

// LFO 1 free-running at one cycle per second (48000 samples) on "Pan" at
// depth 100 %: its output is the bare wave, -1 .. 1.
void StartPanLfo(EngineHost& h, int wave) {
  StartPlainTone(h, 3 /* square carrier */, 100.0);
  h.Set(kLfo1Sync, 0);
  h.Set(kLfo1RateMs, 1000);
  h.Set(kLfo1Depth, 100);
  h.Set(kLfo1Wave, wave);
  h.Set(kLfo1Target, kTargetPan);
  h.Setup(48000.0, 4800);  // restarts the LFO at its start phase
}

float LfoOutput(const EngineHost& h, int j) { return h.LfoDisplayOf(j).Value(); }

TEST(Lfo, WavesOverOneCycle) {
  // Output at the end of each quarter cycle. Each wave starts where its
  // shape reads naturally (sine and saw flip at 0, sine half at 3/4 of a
  // cycle, the others at 1/4).
  struct Case {
    int wave;
    double quarter[4];
  };
  const Case cases[] = {
      {kLfoSine, {1.0, 0.0, -1.0, 0.0}},
      {kLfoTriangle, {1.0, 0.0, -1.0, 0.0}},
      {kLfoSaw, {1.0 / 3, -1.0 / 3, -1.0, 1.0}},
      {kLfoSawFlip, {-1.0 / 3, 1.0 / 3, 1.0, -1.0}},
      {kLfoSquare, {1.0, -1.0, -1.0, 1.0}},
      {kLfoSineHalf, {-1.0, 0.41421, 1.0, 0.41421}},
      {kLfoHalfFlip, {-1.0, -0.41421, 1.0, -0.41421}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.wave);
    EngineHost h;
    StartPanLfo(h, c.wave);
    for (int q = 0; q < 4; ++q) {
      Stereo s = h.Render(12000);
      EXPECT_NEAR(LfoOutput(h, 0), c.quarter[q], 2e-3) << "quarter " << q + 1;
      // The carrier is panned by that output.
      EXPECT_NEAR(std::fabs(s.left.back()), (1.0 - LfoOutput(h, 0)) * kFullGain, 1e-5);
    }
  }
}

TEST(Lfo, SquareSmoothsWithATimeConstantOfAbout100Samples) {
  EngineHost h;
  StartPanLfo(h, kLfoSquare);
  h.Render(100);
  EXPECT_NEAR(LfoOutput(h, 0), 1.0 - std::exp(-1.0), 0.01);
}

TEST(Lfo, MappingKeepsTheSwingInsideTheTargetsRange) {
  struct Case {
    int target, depth;
    int param;
    double setting;
    double top, bottom;  // output at 1/4 and 3/4 of a sine cycle
    double lo, hi;       // the range the display shows
  };
  const double sr = kTestRate;
  const double fLo = 2 * kTestPi * 20 / sr, fHi = 2 * kTestPi * 20000 / sr;
  const Case cases[] = {
      // Depth 100 % on "Pan" swings fully whatever the knob says.
      {kTargetPan, 100, kPan, 50, 1.0, -1.0, -1.0, 1.0},
      // Depth 0 % holds the knob's value.
      {kTargetPan, 0, kPan, 50, 0.5, 0.5, -1.0, 1.0},
      // Depth 90 % on Round 75 %: amplitude 0.45 around 0.55.
      {kTargetRound, 90, kRound, 75, 1.0, 0.1, 0.0, 1.0},
      // Volume 0 % as the base: the swing is lifted into range.
      {kTargetVolume, 100, kVolume, 0, 0.999, 0.0028495, 0.0028495, 0.999},
      {kTargetBaseFreq, 50, kBaseFreq, 200, fLo + (fHi - fLo) * 0.5, fLo, fLo, fHi},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "target " << c.target << " depth " << c.depth);
    EngineHost h;
    StartPanLfo(h, kLfoSine);
    h.Set(kLfo1Target, kTargetNone);
    h.Set(c.param, c.setting);
    h.Set(kLfo1Depth, c.depth);
    h.Set(kLfo1Target, c.target);
    h.Setup(48000.0, 4800);
    const double tolerance = std::fabs(c.hi - c.lo) * 2e-4;
    h.Render(12000);
    EXPECT_NEAR(LfoOutput(h, 0), c.top, tolerance);
    h.Render(24000);
    EXPECT_NEAR(LfoOutput(h, 0), c.bottom, tolerance);
    EXPECT_NEAR(h.LfoDisplayOf(0).Minimum(), c.lo, 1e-6);
    EXPECT_NEAR(h.LfoDisplayOf(0).Maximum(), c.hi, 1e-6);
  }
}

TEST(Lfo, DrivenBaseFreqIsHeard) {
  EngineHost h;
  StartPanLfo(h, kLfoSine);
  h.Set(kWave, 2);  // saw carrier: its phase shows the pitch
  h.Set(kPan, 0);
  h.Set(kLfo1Depth, 0);  // holds "Base Freq" at its own value
  h.Set(kLfo1Target, kTargetBaseFreq);
  h.SetExact(kBaseFreq, 1000.0);
  h.Render(480);
  for (double hz : SawFrequencies(h.Render(480).left, kFullGain)) ASSERT_NEAR(hz, 1000.0, 0.01);
}

TEST(Lfo, SecondLfoGivesWayAndComesBack) {
  EngineHost h;
  StartPanLfo(h, kLfoSine);
  h.Set(kLfo2Sync, 0);
  h.Set(kLfo2RateMs, 1000);
  h.Set(kLfo2Depth, 100);
  h.Set(kLfo2Target, kTargetPan);
  const LfoDisplay& two = h.LfoDisplayOf(1);
  EXPECT_FALSE(two.Active());
  EXPECT_TRUE(two.Conflict());
  const float before = two.Value();
  h.Render(12000);
  EXPECT_EQ(two.Value(), before);  // LFO 2 stands still; LFO 1 pans
  EXPECT_NEAR(LfoOutput(h, 0), 1.0, 2e-3);

  // LFO 1 moves to another target: LFO 2 takes "Pan" with its full swing.
  h.Set(kLfo1Target, kTargetRound);
  EXPECT_TRUE(two.Active());
  EXPECT_FALSE(two.Conflict());
  h.Setup(48000.0, 4800);
  Stereo s = h.Render(12000);
  EXPECT_NEAR(two.Value(), 1.0, 2e-3);
  EXPECT_NEAR(s.left.back(), 0.0, 1e-2);  // panned fully right

  // With LFO 1 unassigned, LFO 2 runs too.
  h.Set(kLfo1Target, kTargetNone);
  EXPECT_TRUE(two.Active());
  EXPECT_FALSE(h.LfoDisplayOf(0).Active());
}

TEST(Lfo, SyncedRateFollowsTheTempo) {
  struct Case {
    double tempo;
    int entry;
    int samplesPerCycle;
  };
  // A whole note at 120 BPM and 48 kHz is 96000 samples. A host that gives no
  // tempo is taken as 120 BPM.
  const Case cases[] = {{120, 15, 96000}, {120, 18, 192000}, {90, 9, 32000}, {120, 1, 4000}, {0, 15, 96000}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.tempo << " BPM, entry " << c.entry);
    EngineHost h;
    h.tempo = c.tempo;
    StartPanLfo(h, kLfoSine);
    h.Set(kLfo1Sync, 1);
    h.Set(kLfo1RateNote, c.entry);
    h.Render(c.samplesPerCycle / 4);
    EXPECT_NEAR(LfoOutput(h, 0), 1.0, 1e-3);
    h.Render(c.samplesPerCycle / 2);
    EXPECT_NEAR(LfoOutput(h, 0), -1.0, 1e-3);
  }
}

TEST(Lfo, TempoChangesRetuneSyncedRatesAndLosingTheTempoKeepsThem) {
  EngineHost h;
  StartPanLfo(h, kLfoSine);
  h.Set(kLfo1Sync, 1);
  h.Set(kLfo1RateNote, 15);
  h.Render(24000);  // a quarter bar at 120 BPM
  h.tempo = 240;
  h.Render(12000);  // a quarter bar at 240 BPM
  EXPECT_NEAR(LfoOutput(h, 0), 0.0, 1e-3);
  h.tempo = 0;
  h.Render(12000);  // no tempo: still the 240 BPM rate
  EXPECT_NEAR(LfoOutput(h, 0), -1.0, 1e-3);
}

TEST(Lfo, StartChangesAndLfosSyncRestartThePhase) {
  EngineHost h;
  StartPanLfo(h, kLfoSine);
  h.Render(5000);
  h.Set(kLfo1Start, 25);  // a quarter cycle in: the sine's peak
  h.Render(1);
  EXPECT_NEAR(LfoOutput(h, 0), 1.0, 1e-6);

  h.Render(5000);
  h.Set(kLfosSync, 0);
  h.Render(1000);
  h.Set(kLfosSync, 1);
  h.Render(1);
  EXPECT_NEAR(LfoOutput(h, 0), 1.0, 1e-6);
}

TEST(Lfo, VolumeLfoFallsSilentWhenTheTransportStops) {
  EngineHost h;
  StartPanLfo(h, kLfoSine);
  h.Set(kLfo1Target, kTargetVolume);
  h.Setup(48000.0, 4800);
  h.Render(12000);
  EXPECT_NEAR(LfoOutput(h, 0), 0.999, 1e-3);
  h.transport = kTransportStopped;
  Stereo fade = h.Render(1000);
  EXPECT_NEAR(fade.left.back(), 0.0, 1e-4);
  for (double v : h.Render(1000).left) ASSERT_EQ(v, 0.0);
  // Playing again, the LFO takes the level back at once.
  h.transport = kTransportPlaying;
  Stereo back = h.Render(1000);
  EXPECT_NEAR(std::fabs(back.left.back()), LfoOutput(h, 0), 1e-5);
}

TEST(Lfo, SolfeggioLfoProgramPansAndSwells) {
  EngineHost h;
  h.Start();
  ASSERT_TRUE(h.Recall("Solfeggio - 174 Hz LFO"));
  EXPECT_TRUE(h.LfoDisplayOf(0).Active());
  EXPECT_TRUE(h.LfoDisplayOf(1).Active());
  EXPECT_FALSE(h.LfoDisplayOf(1).Conflict());
  // LFO 1 pans once every two bars ("2/1": 192000 samples at 120 BPM): a
  // quarter of that in, the tone sits fully right.
  Stereo s = h.Render(48000);
  EXPECT_NEAR(LfoOutput(h, 0), 1.0, 1e-3);
  EXPECT_NEAR(s.left.back(), 0.0, 1e-3);
  double loudest = 0.0;
  for (double v : s.right) loudest = std::max(loudest, std::fabs(v));
  EXPECT_GT(loudest, 0.1);
  // LFO 2 swings the level inside the "Volume" range.
  EXPECT_GE(LfoOutput(h, 1), h.LfoDisplayOf(1).Minimum());
  EXPECT_LE(LfoOutput(h, 1), h.LfoDisplayOf(1).Maximum());
}

}  // namespace
