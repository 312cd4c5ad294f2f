// process() through the loaded bundle, as a host calls it: the binding's
// cost (parameter queues, channel binding, 32-bit conversion) on top of the
// tone engine's.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "bench/BundleSession.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

constexpr int kFrames = 512;
constexpr double kRate = 48000.0;

struct Session : BundleSession {
  explicit Session(int32 sampleSize) {
    if (plug) plug->Setup(kRate, kFrames, sampleSize);
  }
};

ProcessContext Playing(int64 pos) {
  ProcessContext c = {};
  c.state = ProcessContext::kPlaying | ProcessContext::kTempoValid;
  c.sampleRate = kRate;
  c.tempo = 120.0;
  c.timeSigNumerator = c.timeSigDenominator = 4;
  c.projectTimeSamples = pos;
  c.projectTimeMusic = pos / kRate * 2.0;
  return c;
}

template <typename T>
void ProcessBlocks(benchmark::State& state, int32 sampleSize, bool automate) {
  Session s(sampleSize);
  if (!s.plug) {
    state.SkipWithError(s.error.c_str());
    return;
  }
  std::vector<T> in[2] = {std::vector<T>(kFrames), std::vector<T>(kFrames)};
  std::vector<T> out[2] = {std::vector<T>(kFrames), std::vector<T>(kFrames)};
  T* inPtr[2] = {in[0].data(), in[1].data()};
  T* outPtr[2] = {out[0].data(), out[1].data()};
  ParameterChanges changes;
  int64 pos = 0;
  for (auto _ : state) {
    changes.Clear();
    if (automate) changes.Add(9, 0.5 + 0.4 * ((pos / kFrames) % 2));  // Volume, every block
    ProcessContext context = Playing(pos);
    s.plug->Process(kFrames, 2, inPtr, outPtr, automate ? &changes : nullptr, &context);
    benchmark::DoNotOptimize(out[0].data());
    pos += kFrames;
  }
  state.SetItemsProcessed(state.iterations() * kFrames);
  state.counters["x_realtime"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * kFrames / kRate, benchmark::Counter::kIsRate);
}

void BM_Process64(benchmark::State& state) { ProcessBlocks<double>(state, kSample64, false); }
void BM_Process32(benchmark::State& state) { ProcessBlocks<float>(state, kSample32, false); }
void BM_Process64Automated(benchmark::State& state) { ProcessBlocks<double>(state, kSample64, true); }

}  // namespace

BENCHMARK(BM_Process64);
BENCHMARK(BM_Process32);
BENCHMARK(BM_Process64Automated);
BENCHMARK_MAIN();
