// What writing the output adds to an ondivox render: the renderer over the
// loaded bundle (default program, 48 kHz, blocks of 1024) with its output
// thrown away, encoded on the render thread, and given to WavWriter or
// FlacWriter (which encode and write on a thread of their own) to a file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>
#include <vector>

#include "bench/BundleSession.h"
#include "tools/files/BinaryFile.h"
#include "tools/flac/FlacWriter.h"
#include "tools/host/Renderer.h"
#include "tools/wav/SampleCodec.h"
#include "tools/wav/WavWriter.h"

namespace {

constexpr double kRate = 48000.0;
constexpr double kSecondsPerIteration = 10.0;

RenderSettings TenSeconds() {
  RenderSettings s;
  s.sampleRate = kRate;
  s.frames = static_cast<int64_t>(kSecondsPerIteration * kRate);
  return s;
}

void Report(benchmark::State& state) {
  const double frames = static_cast<double>(state.iterations()) * kSecondsPerIteration * kRate;
  state.SetItemsProcessed(static_cast<int64_t>(frames));
  state.counters["x_realtime"] = benchmark::Counter(frames / kRate, benchmark::Counter::kIsRate);
}

// Renders 10 s per iteration into sink, with begin and finish (when given) around each.
void Run(benchmark::State& state, const RenderSink& sink, const std::function<bool()>& begin = nullptr,
         const std::function<bool()>& finish = nullptr) {
  BundleSession s;
  if (!s.plug) {
    state.SkipWithError(s.error.c_str());
    return;
  }
  for (auto _ : state)
    if ((begin && !begin()) || !Render(*s.plug, TenSeconds(), RenderProgress(), sink) || (finish && !finish()))
      state.SkipWithError("render failed");
  Report(state);
}

void BM_RenderDiscarded(benchmark::State& state) {
  Run(state, [](const double* const* ch, int32_t) {
    benchmark::DoNotOptimize(ch[0][0]);
    return true;
  });
}

void BM_RenderEncoded24(benchmark::State& state) {
  const WavLayout layout = LayoutOf(WavFormat::kPcm24, 2, 48000);
  std::vector<uint8_t> bytes(static_cast<std::size_t>(TenSeconds().blockSize) * layout.FrameBytes());
  SampleStats stats;
  Run(state, [&](const double* const* ch, int32_t n) {
    EncodeFrames(ch, static_cast<std::size_t>(n), layout, bytes.data(), &stats);
    benchmark::DoNotOptimize(bytes.data());
    return true;
  });
}

// The file is written anew from its start at every iteration, so it stays at 10 s.
void RenderWritten(benchmark::State& state, AudioOutput& writer, WavFormat format, const std::string& path) {
  const WavLayout layout = LayoutOf(format, 2, 48000);
  BinaryFile file;
  std::string error;
  if (!file.OpenWrite(path)) {
    state.SkipWithError(file.Error().c_str());
    return;
  }
  Run(
      state,
      [&](const double* const* ch, int32_t n) { return writer.Write(ch, static_cast<std::size_t>(n), &error); },
      [&] { return writer.Begin(&file, path, layout, 480000, &error); }, [&] { return writer.Finish(&error); });
  file.Close();
  std::remove(path.c_str());
}

void BM_RenderWritten24(benchmark::State& state) {
  WavWriter writer;
  RenderWritten(state, writer, WavFormat::kPcm24, "tool_bench_render.wav");
}

// FLAC at libFLAC's default compression, of 16 or 24-bit samples.
void BM_RenderWrittenFlac(benchmark::State& state) {
  FlacWriter writer;
  RenderWritten(state, writer, static_cast<WavFormat>(state.range(0)), "tool_bench_render.flac");
}

// The encoder alone on one block.
void BM_EncodeBlock(benchmark::State& state) {
  const WavLayout layout = LayoutOf(static_cast<WavFormat>(state.range(0)), 2, 48000);
  std::vector<double> left(1024), right(1024);
  for (int i = 0; i < 1024; ++i) left[i] = right[i] = 0.9 * ((i % 200) / 100.0 - 1.0);
  const double* ch[] = {left.data(), right.data()};
  std::vector<uint8_t> bytes(static_cast<std::size_t>(TenSeconds().blockSize) * layout.FrameBytes());
  SampleStats stats;
  for (auto _ : state) {
    EncodeFrames(ch, 1024, layout, bytes.data(), &stats);
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetItemsProcessed(state.iterations() * 1024);
}

}  // namespace

// Each twice: the CPU time of the render's own thread (its critical path:
// the writer's encoder runs on a thread of its own), and wall time with the
// CPU time of every thread.
BENCHMARK(BM_RenderDiscarded)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderEncoded24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderWritten24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderWrittenFlac)->Arg(static_cast<int>(WavFormat::kPcm16))->Arg(static_cast<int>(WavFormat::kPcm24))
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderDiscarded)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(BM_RenderEncoded24)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(BM_RenderWritten24)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(BM_RenderWrittenFlac)->Arg(static_cast<int>(WavFormat::kPcm16))->Arg(static_cast<int>(WavFormat::kPcm24))
    ->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(BM_EncodeBlock)->Arg(static_cast<int>(WavFormat::kPcm16))->Arg(static_cast<int>(WavFormat::kPcm24))
    ->Arg(static_cast<int>(WavFormat::kFloat32))->Arg(static_cast<int>(WavFormat::kFloat64));
BENCHMARK_MAIN();
