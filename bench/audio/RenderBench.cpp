// Stereo frames per second of the tone engine's RenderBlock, and the same as
// a multiple of real time at 48 kHz, for the program kinds users run.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "instrument/Lfo.h"
#include "tests/instrument/EngineHost.h"

namespace {

constexpr int kFrames = 512;
constexpr double kRate = 48000.0;

// setup answers false when the case cannot be set up.
void RunRender(benchmark::State& state, bool (*setup)(EngineHost&)) {
  EngineHost h;
  h.Start(kFrames);
  if (!setup(h)) {
    state.SkipWithError("case not available");
    return;
  }
  std::vector<double> inL(kFrames), inR(kFrames), outL(kFrames), outR(kFrames);
  for (int i = 0; i < kFrames; ++i) {
    inL[i] = 0.25 * std::sin(i * 0.05);
    inR[i] = 0.25 * std::cos(i * 0.07);
  }
  double* ins[2] = {inL.data(), inR.data()};
  double* outs[2] = {outL.data(), outR.data()};
  for (auto _ : state) {
    h.ProcessBuffers(ins, outs, kFrames);
    h.position += kFrames;
    benchmark::DoNotOptimize(outL.data());
    benchmark::ClobberMemory();
  }
  const double frames = double(state.iterations()) * kFrames;
  state.counters["frames/s"] = benchmark::Counter(frames, benchmark::Counter::kIsRate);
  state.counters["x_realtime"] = benchmark::Counter(frames / kRate, benchmark::Counter::kIsRate);
}

// (a) The default parameters while the transport plays.
void BM_DefaultPlaying(benchmark::State& state) {
  RunRender(state, [](EngineHost&) { return true; });
}

// (b) The "Golden Sine" program with LFO 1 on "Pan" and LFO 2 on "Volume".
void BM_GoldenSineTwoLfos(benchmark::State& state) {
  RunRender(state, [](EngineHost& h) {
    for (int i = 0; i < h.PresetCount(); ++i)
      if (std::strcmp(h.PresetName(i), "Golden Sine") == 0) h.SelectPreset(i);
    h.Set(kLfo1Target, kTargetPan);
    h.Set(kLfo1Depth, 100);
    h.Set(kLfo2Target, kTargetVolume);
    h.Set(kLfo2Depth, 50);
    return h.Param(kWave)->value == 4;
  });
}

// (c) The tone mixed into a live input, unpulsed so every frame sounds.
void BM_MixInput(benchmark::State& state) {
  RunRender(state, [](EngineHost& h) {
    h.Set(kIsoOn, 0);
    return true;
  });
}

// The transport stopped: the input passes through and nothing advances.
void BM_StoppedPassThrough(benchmark::State& state) {
  RunRender(state, [](EngineHost& h) {
    h.transport = kTransportStopped;
    return true;
  });
}

}  // namespace

BENCHMARK(BM_DefaultPlaying);
BENCHMARK(BM_GoldenSineTwoLfos);
BENCHMARK(BM_MixInput);
BENCHMARK(BM_StoppedPassThrough);
BENCHMARK_MAIN();
