// A layered session rendered as `ondivox render --session` renders it, its
// output thrown away: 30 minutes at 48 kHz of four voices (each its own
// instance of the bundle, pulsing, one ramping), a pink noise bed and a
// looped MP3 background at 44.1 kHz, resampled.
#include <benchmark/benchmark.h>

#include <fstream>

#ifndef ONDIVOX_BENCH_SECONDS
#define ONDIVOX_BENCH_SECONDS 1800.0
#endif

#include "tools/host/Renderer.h"
#include "tools/ondivox/SessionRendering.h"
#include "tools/ondivox/ToolSession.h"
#include "tools/session/SessionScript.h"

namespace {

constexpr double kRate = 48000.0;
constexpr double kSeconds = ONDIVOX_BENCH_SECONDS;

std::string WriteSession() {
  const std::string path = std::string(ONDIVOX_BENCH_SCRATCH) + "/layered-bench.txt";
  std::ofstream(path, std::ios::binary) << "layer two voice\nlayer three voice\nlayer four voice\n"
                                           "layer bed noise pink\n"
                                           "layer rain input \"" ONDIVOX_BENCH_MP3 "\" loop\n"
                                           "0 program 40\n"
                                           "0 two: set \"Base Freq=200\" Isochronic=4\n"
                                           "0 three: set \"Base Freq=300\" Isochronic=6 balance=-50\n"
                                           "0 four: set \"Base Freq=520\" Isochronic=12 balance=50\n"
                                           "0 bed: set level=-32\n0 rain: set level=-10\n"
                                           "0 fade-in 10\n1:00 ramp 25:00 Isochronic=7\n"
                                           "29:00 fade-out 1:00\n30:00 end\n";
  return path;
}

void BM_LayeredSession(benchmark::State& state) {
  const SessionScript script = ReadSessionScript(WriteSession());
  for (auto _ : state) {
    ToolSession tool(ONDIVOX_BUNDLE_PATH);
    RenderSettings settings;
    settings.sampleRate = kRate;
    settings.frames = static_cast<int64_t>(kSeconds * kRate);
    SessionRendering session(script, tool, settings);
    session.Attach(&settings);
    const bool done = Render(tool.Plug(), settings, RenderProgress(), [](const double* const* ch, int32_t) {
      benchmark::DoNotOptimize(ch[0][0]);
      return true;
    });
    if (!done) state.SkipWithError("render failed");
  }
  state.counters["x_realtime"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * kSeconds, benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(BM_LayeredSession)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK_MAIN();
