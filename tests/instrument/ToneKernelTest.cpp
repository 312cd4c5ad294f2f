// The vector render kernels against the frame-by-frame definition: the same
// instrument, the same parameters and blocks, every sample compared.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "EngineHost.h"
#include "ScalarToneKernel.h"
#include "instrument/Lfo.h"

namespace {

constexpr double kTolerance = 1e-12;
constexpr double kRates[] = {44100.0, 48000.0, 96000.0};
// Odd sizes too, so pieces end everywhere inside a block and blocks end
// everywhere inside a piece.
constexpr int32_t kBlockSizes[] = {512, 1, 63, 64, 65, 127, 128, 129, 300, 2048};
constexpr int32_t kMaxBlock = 2048;

std::vector<const ToneKernel*> KernelsUnderTest() {
  std::vector<const ToneKernel*> kernels = {&Sse2ToneKernel()};
  if (const ToneKernel* avx2 = Avx2ToneKernel()) kernels.push_back(avx2);
  return kernels;
}

using Setup = std::function<void(EngineHost&)>;
// Called before block b of each run (its first frame at song time `frame`).
using Event = std::function<void(EngineHost&, int b)>;

struct Scene {
  std::string name;
  Setup setup;
  double seconds;
  Event event;
};

// One instrument per kernel, the oracle first, driven identically.
class Ensemble {
 public:
  Ensemble(double rate, const Setup& setup) {
    hosts.push_back(std::make_unique<EngineHost>());
    hosts[0]->SetToneKernel(&ScalarToneKernel());
    for (const ToneKernel* k : KernelsUnderTest()) {
      hosts.push_back(std::make_unique<EngineHost>());
      hosts.back()->SetToneKernel(k);
    }
    for (auto& h : hosts) {
      h->Initialize();
      h->Setup(rate, kMaxBlock);
      if (setup) setup(*h);
    }
  }

  // Renders the seconds in blocks of the sizes above, over a live input;
  // answers where each kernel strayed furthest from the oracle.
  void Run(double rate, double seconds, const Event& event) {
    const int64_t total = static_cast<int64_t>(seconds * rate);
    int64_t frame = 0;
    for (int b = 0; frame < total; ++b) {
      const int32_t n = kBlockSizes[b % (sizeof kBlockSizes / sizeof kBlockSizes[0])];
      Stereo in{std::vector<double>(n), std::vector<double>(n)};
      for (int32_t i = 0; i < n; ++i) {
        in.left[i] = 0.25 * std::sin((frame + i) * 0.001);
        in.right[i] = -0.25 * std::cos((frame + i) * 0.0007);
      }
      std::vector<Stereo> out;
      for (auto& h : hosts) {
        if (event) event(*h, b);
        out.push_back(h->Render(n, &in));
      }
      for (std::size_t k = 1; k < out.size(); ++k) {
        // The LFO bars show the same outputs, to the bit.
        for (int j = 0; j < 2; ++j)
          if (hosts[k]->LfoDisplayOf(j).Value() != hosts[0]->LfoDisplayOf(j).Value()) ++displayMismatches[k];
        for (int32_t i = 0; i < n; ++i) {
          Track(k, std::fabs(out[k].left[i] - out[0].left[i]), frame + i);
          Track(k, std::fabs(out[k].right[i] - out[0].right[i]), frame + i);
        }
      }
      frame += n;
    }
  }

  void Expect(const std::string& what) const {
    for (std::size_t k = 1; k < hosts.size(); ++k) {
      const Worst& w = worst.at(k);
      EXPECT_LE(w.difference, kTolerance)
          << what << ", kernel " << KernelsUnderTest()[k - 1]->name << ", frame " << w.frame;
      EXPECT_EQ(displayMismatches.count(k), 0u) << what << ", kernel " << KernelsUnderTest()[k - 1]->name
                                                << ": LFO display differs after some blocks";
    }
  }

 private:
  struct Worst {
    double difference = 0.0;
    int64_t frame = 0;
  };
  void Track(std::size_t k, double d, int64_t frame) {
    Worst& w = worst[k];
    // NaN counts as the worst of all.
    if (!(d <= w.difference)) w = {std::isnan(d) ? INFINITY : d, frame};
  }

  std::vector<std::unique_ptr<EngineHost>> hosts;
  std::map<std::size_t, Worst> worst;
  std::map<std::size_t, int> displayMismatches;
};

// One LFO's settings: free-running with a period in ms, or synced at its
// default note ("1/1") when the period is 0.
struct LfoSetting {
  int target, wave, depth, periodMs, start;
};

void SetLfo(EngineHost& h, int j, const LfoSetting& s) {
  const int first = j == 0 ? kLfo1Target : kLfo2Target;
  h.Set(first + (kLfo1Wave - kLfo1Target), s.wave);
  h.Set(first + (kLfo1Sync - kLfo1Target), s.periodMs == 0 ? 1 : 0);
  if (s.periodMs != 0) h.Set(first + (kLfo1RateMs - kLfo1Target), s.periodMs);
  h.Set(first + (kLfo1Depth - kLfo1Target), s.depth);
  h.Set(first + (kLfo1Start - kLfo1Target), s.start);
  h.Set(first, s.target);
}

void ExpectSameSound(const Scene& scene) {
  for (double rate : kRates) {
    Ensemble e(rate, scene.setup);
    e.Run(rate, scene.seconds, scene.event);
    e.Expect(scene.name + " at " + std::to_string(static_cast<int>(rate)) + " Hz");
  }
}

TEST(ToneKernel, EveryFactoryProgramSoundsAsDefined) {
  EngineHost names;
  names.Initialize();
  for (int p = 0; p < names.PresetCount(); ++p) {
    if (!names.Preset(p)->defined) continue;
    ExpectSameSound({names.PresetName(p), [p](EngineHost& h) { h.SelectPreset(p); }, 2.0, nullptr});
  }
}

TEST(ToneKernel, EveryCarrierWaveAndGate) {
  struct Gate {
    const char* name;
    int isoOn, golden, round;
  };
  const Gate gates[] = {{"unpulsed", 0, 0, 75}, {"pulsed", 1, 0, 75}, {"pulsed, round 100", 1, 0, 100},
                        {"golden, round 100", 1, 1, 100}, {"golden, round 0", 1, 1, 0}};
  for (int wave = 0; wave < kNumCarrierWaves; ++wave) {
    for (const Gate& g : gates) {
      ExpectSameSound({"wave " + std::to_string(wave) + ", " + g.name,
                       [=](EngineHost& h) {
                         h.Set(kWave, wave);
                         h.SetExact(kBaseFreq, 333.3);
                         h.SetExact(kIsoRate, 7.5);
                         h.Set(kIsoOn, g.isoOn);
                         h.Set(kGoldenIso, g.golden);
                         h.Set(kRound, g.round);
                       },
                       1.0, nullptr});
    }
  }
}

// Each LFO on each target with each wave, the other LFO busy elsewhere so
// both run; free-running fast enough for several cycles.
TEST(ToneKernel, BothLfosOnEveryTargetWithEveryWave) {
  for (int j = 0; j < 2; ++j) {
    for (int target = kTargetBaseFreq; target < kNumLfoTargets; ++target) {
      for (int wave = 0; wave < kNumLfoWaves; ++wave) {
        const int otherTarget = target == kTargetPan ? kTargetRound : kTargetPan;
        ExpectSameSound({"LFO " + std::to_string(j + 1) + " target " + std::to_string(target) + " wave " +
                             std::to_string(wave),
                         [=](EngineHost& h) {
                           h.Set(kWave, kWaveGoldenSine);
                           h.Set(kRound, 90);
                           SetLfo(h, j, {target, wave, 100, 170, 30});
                           SetLfo(h, 1 - j, {otherTarget, kLfoSine, 60, 430, 0});
                         },
                         1.0, nullptr});
      }
    }
  }
}

// Many seconds of what moves the phases hardest: glides across the whole
// range, carriers that wrap every frame or two, the fastest pulse, a
// transport that stops and starts, pauses that relock the phases.
TEST(ToneKernel, LongGlidesWrapsStopsAndPauses) {
  const Scene scenes[] = {
      {"glides across the range",
       [](EngineHost& h) { h.Set(kFade, 8000); },
       20.0,
       [](EngineHost& h, int b) {
         if (b % 40 == 0) h.SetExact(kBaseFreq, b % 80 == 0 ? 20000.0 : 20.0);
         if (b % 70 == 0) h.SetExact(kIsoRate, b % 140 == 0 ? 512.0 : 0.5);
       }},
      {"carrier near Nyquist, fastest pulse, golden",
       [](EngineHost& h) {
         h.SetExact(kBaseFreq, 20000.0);
         h.SetExact(kIsoRate, 512.0);
         h.Set(kGoldenIso, 1);
         h.Set(kRound, 100);
         h.Set(kWave, kWaveSineHalf);
       },
       10.0, nullptr},
      {"LFO sweeping the carrier, unpulsed",
       [](EngineHost& h) {
         h.Set(kIsoOn, 0);
         SetLfo(h, 0, {kTargetBaseFreq, kLfoSine, 100, 3000, 0});
         SetLfo(h, 1, {kTargetVolume, kLfoSine, 100, 700, 0});
       },
       10.0, nullptr},
      {"LFO on the pulse rate, synced, tempo changing",
       [](EngineHost& h) {
         SetLfo(h, 0, {kTargetIsoRate, kLfoSine, 100, 0, 0});
         SetLfo(h, 1, {kTargetRound, kLfoSquare, 100, 0, 0});
       },
       10.0,
       [](EngineHost& h, int b) {
         if (b % 50 == 0) h.tempo = 60.0 + b % 97;
       }},
      {"transport stops and starts, pauses relock",
       [](EngineHost& h) {
         SetLfo(h, 0, {kTargetVolume, kLfoSineHalf, 80, 0, 0});
         SetLfo(h, 1, {kTargetPan, kLfoTriangle, 100, 0, 25});
       },
       10.0,
       [](EngineHost& h, int b) {
         h.transport = (b / 24) % 3 == 2 ? kTransportStopped : kTransportPlaying;
         h.clock.ms += b % 33 == 0 ? 700 : 10;
       }},
  };
  for (const Scene& s : scenes) ExpectSameSound(s);
}

}  // namespace
