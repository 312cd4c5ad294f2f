#include <gtest/gtest.h>

#include <cmath>

#include "Signal.h"
#include "instrument/CarrierWave.h"

namespace {

// --- Carrier -----------------------------------------------------------------

struct WavePoint {
  int wave;
  double fraction;  // of the carrier cycle
  double value;
};

// Where each shape must be at landmarks of its cycle; the golden shapes turn
// at 61.8 %.
const WavePoint kWavePoints[] = {
    {kWaveSine, 0.25, 1.0},           {kWaveSine, 0.5, 0.0},           {kWaveSine, 0.75, -1.0},
    {kWaveTriangle, 0.0, -1.0},       {kWaveTriangle, 0.25, 0.0},      {kWaveTriangle, 0.5, 1.0},
    {kWaveTriangle, 0.75, 0.0},       {kWaveSaw, 0.0, 1.0},            {kWaveSaw, 0.5, 0.0},
    {kWaveSaw, 0.75, -0.5},           {kWaveSquare, 0.1, 1.0},         {kWaveSquare, 0.6, -1.0},
    {kWaveGoldenSine, 0.0, 1.0},      {kWaveGoldenSine, 0.309, 0.0},   {kWaveGoldenSine, 0.618, -1.0},
    {kWaveGoldenSine, 0.809, 0.0},    {kWaveSineHalf, 0.0, -1.0},      {kWaveSineHalf, 0.309, 0.41421},
    {kWaveSineHalf, 0.618, 1.0},      {kWaveSineHalf, 0.809, 0.41421}, {kWaveGoldenTriangle, 0.0, -1.0},
    {kWaveGoldenTriangle, 0.309, 0.0}, {kWaveGoldenTriangle, 0.618, 1.0}, {kWaveGoldenTriangle, 0.809, 0.0},
    {kWaveGoldenSquare, 0.6, 1.0},    {kWaveGoldenSquare, 0.62, -1.0},
};

TEST(Generator, EachWaveHasItsShapeAndFrequency) {
  for (int wave = 0; wave < kNumCarrierWaves; ++wave) {
    SCOPED_TRACE(wave);
    EngineHost h;
    StartPlainTone(h, wave, 48.0);  // 1000 samples per cycle
    Stereo s = RenderAfterPause(h, 3000, 0);
    for (const WavePoint& p : kWavePoints) {
      if (p.wave != wave) continue;
      int i = static_cast<int>(p.fraction * 1000 + 0.5);
      EXPECT_NEAR(s.left[i], kFullGain * p.value, 2e-3) << "at " << p.fraction;
      EXPECT_NEAR(s.left[i], s.right[i], 1e-12);
    }
    // A sample exactly on a jump of the wave (a wrap, a square's edge) may
    // land on either side of it.
    for (int i = 1; i < 2000; ++i) {
      if (std::fabs(s.left[i + 1] - s.left[i - 1]) > 0.5) continue;
      ASSERT_NEAR(s.left[i + 1000], s.left[i], 1e-6) << i;
    }
  }
}

TEST(Generator, CarrierFrequencyFollowsBaseFreq) {
  for (double hz : {20.0, 440.0, 1234.5, 20000.0}) {
    EngineHost h;
    StartPlainTone(h, kWaveSaw, hz);
    Stereo s = h.Render(4800);
    for (double f : SawFrequencies(s.left, kFullGain)) ASSERT_NEAR(f, hz, hz * 1e-6);
  }
}

// --- Pulse gate --------------------------------------------------------------

// Pulses at 100 Hz (480 samples) on a 20 Hz square carrier, which stays at +1
// through each pulse since every pulse restarts it: the output is the gate.
Stereo RenderGate(bool golden, int roundPercent) {
  EngineHost h;
  StartPlainTone(h, kWaveSquare, 20.0);
  h.Set(kIsoOn, 1);
  h.SetExact(kIsoRate, 100.0);
  h.Set(kGoldenIso, golden ? 1 : 0);
  h.Set(kRound, roundPercent);
  h.Render(4800);
  return RenderAfterPause(h, 480 * 4, 0);
}

TEST(Generator, PulseGateShapeAndDuty) {
  struct Case {
    bool golden;
    int round;
    int onSamples;  // sounding samples per 480-sample cycle
  };
  // Half the cycle, or 38.2 % with the golden pulse; at Round 100 % the gate
  // is 0 at the very start, so that sample is silent too. The sample that
  // falls exactly on the end of the half cycle may go either way.
  const Case cases[] = {{false, 0, 240}, {false, 100, 239}, {true, 0, 184}, {true, 100, 183}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "golden " << c.golden << " round " << c.round);
    Stereo s = RenderGate(c.golden, c.round);
    const double span = c.golden ? 2.4001769701020317 : kTestPi;
    for (int cycle = 0; cycle < 4; ++cycle) {
      int on = 0;
      for (int i = 0; i < 480; ++i) {
        double v = s.left[cycle * 480 + i];
        double psi = 2.0 * kTestPi * i / 480.0;
        double expected = 0.0;
        if (psi < span) expected = c.round == 0 ? 1.0 : std::sin(psi * kTestPi / span);
        on += v != 0.0;
        if (std::fabs(psi - span) < 1e-9) continue;
        ASSERT_NEAR(v, kFullGain * expected, 1e-5) << "cycle " << cycle << " sample " << i;
      }
      EXPECT_NEAR(on, c.onSamples, 1);
    }
  }
}

TEST(Generator, EveryPulseRestartsTheCarrierAtPhaseZero) {
  EngineHost h;
  StartPlainTone(h, kWaveSaw, 333.3);  // no whole number of cycles per pulse
  h.Set(kIsoOn, 1);
  h.SetExact(kIsoRate, 10.0);
  h.Set(kRound, 0);
  h.Render(4800);
  Stereo s = RenderAfterPause(h, 4800 * 3, 0);
  for (int pulse = 0; pulse < 3; ++pulse) {
    // Pulse boundaries fall exactly on samples 4800 apart, so rounding may
    // open a gate one sample late; it then starts the saw at phase 0 all the same.
    int start = pulse * 4800;
    if (s.left[start] == 0.0) ++start;
    EXPECT_LE(start, pulse * 4800 + 1);
    EXPECT_NEAR(s.left[start], kFullGain, 1e-6);  // saw at phase 0
    for (int i = 0; i < 2399; ++i) ASSERT_NEAR(s.left[start + i], s.left[i], 1e-9) << pulse << " " << i;
    for (int i = 2402; i < 4800; ++i) ASSERT_EQ(s.left[pulse * 4800 + i], 0.0) << pulse << " " << i;
  }
}

// --- Level and pan -------------------------------------------------------------

TEST(Generator, LinearPanLaw) {
  struct Case {
    int pan;
    double left, right;  // gain on each side
  };
  const Case cases[] = {{-100, 2.0, 0.0}, {-50, 1.5, 0.5}, {0, 1.0, 1.0}, {50, 0.5, 1.5}, {100, 0.0, 2.0}};
  for (const Case& c : cases) {
    EngineHost h;
    StartPlainTone(h, kWaveSquare, 100.0);
    h.Set(kPan, c.pan);
    h.Render(480);  // the pan ramps over this block
    Stereo s = h.Render(480);
    for (int i = 0; i < 480; ++i) {
      ASSERT_NEAR(std::fabs(s.left[i]), c.left * kFullGain, 1e-6) << c.pan;
      ASSERT_NEAR(std::fabs(s.right[i]), c.right * kFullGain, 1e-6) << c.pan;
    }
  }
}

TEST(Generator, VolumeGain) {
  struct Case {
    int volume;
    double gain, tolerance;
  };
  const Case cases[] = {{100, 0.999, 1e-6}, {90, 0.4769, 1e-4}, {0, 0.000615, 1e-6}};
  for (const Case& c : cases) {
    EngineHost h;
    StartPlainTone(h, kWaveSquare, 100.0);
    h.Set(kVolume, c.volume);
    h.Render(480);
    Stereo s = h.Render(480);
    for (double v : s.left) ASSERT_NEAR(std::fabs(v), c.gain, c.tolerance) << c.volume;
  }
}

// --- Glide ---------------------------------------------------------------------

TEST(Generator, GlideCoversItsLengthPerBlock) {
  // Fade F ms glides over F/4 ms: each block closes block/length of the gap.
  struct Case {
    int fadeMs;
    double hzAfterFirstBlock;
  };
  const Case cases[] = {{100, 400.0}, {200, 300.0}, {400, 250.0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fadeMs);
    EngineHost h;
    StartPlainTone(h, kWaveSaw, 200.0);
    h.Set(kFade, c.fadeMs);
    h.SetExact(kBaseFreq, 400.0);
    std::vector<double> out = h.Render(1200).left;
    std::vector<double> next = h.Render(10).left;
    out.insert(out.end(), next.begin(), next.end());
    std::vector<double> hz = SawFrequencies(out, kFullGain);
    // The frequency rises in even steps from the first sample on...
    EXPECT_NEAR(hz[0] - 200.0, (c.hzAfterFirstBlock - 200.0) / 1200.0, 1e-6);
    EXPECT_NEAR(hz[600] - hz[599], (c.hzAfterFirstBlock - 200.0) / 1200.0, 1e-6);
    // ... and after 1200 samples has covered its share of the way.
    EXPECT_NEAR(hz[1199], c.hzAfterFirstBlock, 1e-6);
  }
}

// --- Transport -------------------------------------------------------------------

TEST(Generator, TransportStopFadesOverOneBlockThenFreezes) {
  EngineHost stopped, paused;
  for (EngineHost* h : {&stopped, &paused}) {
    StartPlainTone(*h, kWaveSquare, 100.0);
    h->transport = kTransportStopped;
    Stereo fade = h->Render(1000);
    EXPECT_NEAR(std::fabs(fade.left[499]), kFullGain * 0.5, 2e-3);
    EXPECT_NEAR(fade.left[999], 0.0, 1e-4);
  }
  // Stopped: silence, and nothing moves on...
  Stereo silent = stopped.RenderBlocks(1000, 3);
  for (double v : silent.left) ASSERT_EQ(v, 0.0);
  // ... so playing again continues exactly where the fade left off.
  stopped.transport = paused.transport = kTransportRecording;
  Stereo a = stopped.Render(1000), b = paused.Render(1000);
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(a.left[i], b.left[i]) << i;
  EXPECT_NEAR(std::fabs(a.left[999]), kFullGain, 1e-4);
}

TEST(Generator, PlayAnywaySoundsWithTheTransportStopped) {
  EngineHost h;
  h.transport = kTransportStopped;
  StartPlainTone(h, kWaveSquare, 100.0);
  h.Set(kPlayAnyway, 1);
  h.Render(480);
  for (double v : h.Render(480).left) ASSERT_NEAR(std::fabs(v), kFullGain, 1e-6);
}

TEST(Generator, MixInputPassesThroughAndAddsTheTone) {
  Stereo input{std::vector<double>(480), std::vector<double>(480)};
  for (int i = 0; i < 480; ++i) {
    input.left[i] = 0.25 * std::sin(i * 0.1);
    input.right[i] = -0.5 + i * 0.001;
  }
  EngineHost dry, wet, reference;
  for (EngineHost* h : {&dry, &wet, &reference}) StartPlainTone(*h, kWaveSine, 300.0);
  dry.transport = kTransportStopped;
  dry.Render(480);  // fades out
  Stereo passed = dry.Render(480, &input);
  Stereo mixed = wet.Render(480, &input), alone = reference.Render(480);
  for (int i = 0; i < 480; ++i) {
    ASSERT_EQ(passed.left[i], input.left[i]);
    ASSERT_EQ(passed.right[i], input.right[i]);
    ASSERT_NEAR(mixed.left[i], alone.left[i] + input.left[i], 1e-12);
    ASSERT_NEAR(mixed.right[i], alone.right[i] + input.right[i], 1e-12);
  }
}

// --- Phase lock ------------------------------------------------------------------

TEST(Generator, PhaseLocksToTheSongPositionAfterAPause) {
  // 200 Hz: 240 samples per cycle. Positions past 2^31 and 2^32 samples must
  // not wrap: the phase is that of the full position.
  const int64_t positions[] = {1000, (int64_t(1) << 31) + 77, (int64_t(1) << 32) + 1000, -130};
  for (int64_t pos : positions) {
    SCOPED_TRACE(pos);
    EngineHost h;
    StartPlainTone(h, kWaveSaw, 200.0);
    Stereo s = RenderAfterPause(h, 16, pos);
    double cycles = double(((pos % 240) + 240) % 240) / 240.0;
    EXPECT_NEAR(s.left[0], kFullGain * (1.0 - 2.0 * cycles), 1e-6);
  }
}

TEST(Generator, AShortGapDoesNotRelock) {
  EngineHost a, b;
  StartPlainTone(a, kWaveSaw, 200.0);
  StartPlainTone(b, kWaveSaw, 200.0);
  Stereo jumped = RenderAfterPause(a, 480, 12345, 400);
  Stereo straight = b.Render(480);
  for (int i = 0; i < 480; ++i) ASSERT_EQ(jumped.left[i], straight.left[i]);
  // Past half a second the jump is followed.
  Stereo relocked = RenderAfterPause(a, 480, 12345, 501);
  EXPECT_NE(relocked.left[0], b.Render(480).left[0]);
}

TEST(Generator, ResetStateRelocksAndKeepsPitchAcrossSampleRates) {
  EngineHost h;
  StartPlainTone(h, kWaveSaw, 200.0);
  h.position = 60;  // a quarter of a cycle
  h.Setup(96000.0, 4800);
  Stereo s = h.Render(4800);
  // At 96 kHz 200 Hz is 480 samples per cycle; the lock takes the position
  // as samples at the new rate.
  EXPECT_NEAR(s.left[0], kFullGain * (1.0 - 2.0 * 60.0 / 480.0), 1e-6);
  // The increment glides to its new value within the block (a short fade).
  for (double hz : SawFrequencies(h.Render(4800).left, kFullGain)) ASSERT_NEAR(hz * 2.0, 200.0, 1e-4);
}

TEST(Generator, NoSampleRateKeepsEverythingFinite) {
  EngineHost h;
  h.Initialize();
  h.Setup(0.0, 480);
  Stereo s = h.RenderBlocks(480, 3);
  for (double v : s.left) ASSERT_TRUE(std::isfinite(v));
  // A real rate later brings the tone.
  h.Setup(48000.0, 480);
  h.Set(kIsoOn, 0);
  h.Set(kVolume, 100);
  h.Set(kFade, 1);
  h.Set(kWave, kWaveSaw);
  h.Render(480);
  for (double hz : SawFrequencies(h.Render(480).left, kFullGain)) ASSERT_NEAR(hz, 200.0, 1e-4);
}

TEST(Generator, ACarrierAboveNyquistKeepsItsPhaseInRange) {
  EngineHost h;
  h.Initialize();
  h.Setup(8000.0, 800);
  h.Set(kIsoOn, 0);
  h.Set(kVolume, 100);
  h.Set(kWave, kWaveSaw);
  h.SetExact(kBaseFreq, 20000.0);  // 2.5 cycles per sample
  Stereo s = h.RenderBlocks(800, 20);
  for (double v : s.left) ASSERT_LE(std::fabs(v), kFullGain * (1.0 + 1e-9));
}

}  // namespace
