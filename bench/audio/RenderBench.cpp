// Stereo frames per second of the tone engine's RenderBlock, and the same as
// a multiple of real time at 48 kHz, for the program kinds users run; each
// with every render kernel this processor runs (and the frame-by-frame
// definition the tests check them against), beside the limit loops of the
// same arithmetic (LimitLoops.h). The ratios between them, all measured in
// this one run, are printed at the end.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "bench/audio/LimitLoops.h"
#include "instrument/Lfo.h"
#include "tests/instrument/EngineHost.h"
#include "tests/instrument/ScalarToneKernel.h"

namespace {

constexpr int kFrames = 512;
constexpr double kRate = 48000.0;

struct AudioCase {
  const char* name;
  // Answers false when the case cannot be set up.
  bool (*setup)(EngineHost&);
  LimitShape shape;
};

const AudioCase kCases[] = {
    // (a) The default parameters while the transport plays.
    {"default", [](EngineHost&) { return true; }, {false, true, false}},
    // (b) The "Golden Sine" program with LFO 1 on "Pan" and LFO 2 on "Volume".
    {"golden_sine_two_lfos",
     [](EngineHost& h) {
       h.Recall("Golden Sine");
       h.Set(kLfo1Target, kTargetPan);
       h.Set(kLfo1Depth, 100);
       h.Set(kLfo2Target, kTargetVolume);
       h.Set(kLfo2Depth, 50);
       return h.Param(kWave)->value == kWaveGoldenSine;
     },
     {true, true, true}},
    // (c) The tone mixed into a live input, unpulsed so every frame sounds.
    {"mix_input_unpulsed",
     [](EngineHost& h) {
       h.Set(kIsoOn, 0);
       return true;
     },
     {false, false, false}},
    // The transport stopped: the input passes through and nothing advances.
    {"stopped_pass_through",
     [](EngineHost& h) {
       h.transport = kTransportStopped;
       return true;
     },
     {false, false, false}},
};

struct Buffers {
  std::vector<double> inL, inR, outL, outR;
  Buffers() : inL(kFrames), inR(kFrames), outL(kFrames), outR(kFrames) {
    for (int i = 0; i < kFrames; ++i) {
      inL[i] = 0.25 * std::sin(i * 0.05);
      inR[i] = 0.25 * std::cos(i * 0.07);
    }
  }
};

void CountFrames(benchmark::State& state) {
  const double frames = double(state.iterations()) * kFrames;
  state.counters["frames/s"] = benchmark::Counter(frames, benchmark::Counter::kIsRate);
  state.counters["x_realtime"] = benchmark::Counter(frames / kRate, benchmark::Counter::kIsRate);
}

void RunEngine(benchmark::State& state, const AudioCase* c, const ToneKernel* kernel) {
  EngineHost h;
  h.SetToneKernel(kernel);
  h.Start(kFrames);
  if (!c->setup(h)) {
    state.SkipWithError("case not available");
    return;
  }
  Buffers b;
  double* ins[2] = {b.inL.data(), b.inR.data()};
  double* outs[2] = {b.outL.data(), b.outR.data()};
  for (auto _ : state) {
    h.ProcessBuffers(ins, outs, kFrames);
    h.position += kFrames;
    benchmark::DoNotOptimize(b.outL.data());
    benchmark::ClobberMemory();
  }
  CountFrames(state);
}

// kernel null: the C library's loop.
void RunLimit(benchmark::State& state, const AudioCase* c, const ToneKernel* kernel) {
  LimitLoop loop(c->shape);
  Buffers b;
  for (auto _ : state) {
    if (kernel)
      loop.RunKernel(*kernel, b.inL.data(), b.inR.data(), b.outL.data(), b.outR.data(), kFrames);
    else
      loop.RunLibm(b.inL.data(), b.inR.data(), b.outL.data(), b.outR.data(), kFrames);
    benchmark::DoNotOptimize(b.outL.data());
    benchmark::ClobberMemory();
  }
  CountFrames(state);
}

std::vector<const ToneKernel*> VectorKernels() {
  std::vector<const ToneKernel*> k = {&Sse2ToneKernel()};
  if (const ToneKernel* avx2 = Avx2ToneKernel()) k.push_back(avx2);
  return k;
}

std::string EngineName(const AudioCase& c, const ToneKernel& k) { return std::string("engine/") + c.name + "/" + k.name; }
std::string LimitName(const AudioCase& c, const ToneKernel* k) {
  return std::string("limit/") + c.name + "/" + (k ? k->name : "libm");
}

void RegisterAll() {
  for (const AudioCase& c : kCases) {
    benchmark::RegisterBenchmark(EngineName(c, ScalarToneKernel()).c_str(), RunEngine, &c, &ScalarToneKernel());
    for (const ToneKernel* k : VectorKernels())
      benchmark::RegisterBenchmark(EngineName(c, *k).c_str(), RunEngine, &c, k);
    if (std::strcmp(c.name, "stopped_pass_through") == 0) continue;  // no arithmetic to compare
    benchmark::RegisterBenchmark(LimitName(c, nullptr).c_str(), RunLimit, &c, nullptr);
    for (const ToneKernel* k : VectorKernels()) benchmark::RegisterBenchmark(LimitName(c, k).c_str(), RunLimit, &c, k);
  }
}

// The console report, and then each engine case against the limit loops:
// the median CPU time of each benchmark when repeated, else its one run.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      if (r.error_occurred) continue;
      const bool median = r.run_type == Run::RT_Aggregate && r.aggregate_name == "median";
      if (median || (r.run_type == Run::RT_Iteration && r.repetitions <= 1))
        cpuTime_[r.run_name.function_name] = r.GetAdjustedCPUTime();
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\n%-44s %12s %10s %10s %12s\n", "engine case / kernel", "frames/s", "x realtime", "/ libm",
                "/ kernel");
    for (const AudioCase& c : kCases) {
      std::vector<const ToneKernel*> kernels = {&ScalarToneKernel()};
      for (const ToneKernel* k : VectorKernels()) kernels.push_back(k);
      for (const ToneKernel* k : kernels) {
        const double t = Time(EngineName(c, *k));
        if (t <= 0.0) continue;
        const double fps = kFrames / t * 1e9;
        std::printf("%-44s %11.1fM %10.0f", (std::string(c.name) + " / " + k->name).c_str(), fps / 1e6, fps / kRate);
        PrintRatio(LimitName(c, nullptr), t);
        PrintRatio(LimitName(c, k == &ScalarToneKernel() ? &Sse2ToneKernel() : k), t);
        std::printf("\n");
      }
    }
    std::printf("(/ libm: the engine's speed over the C library's tight loop; / kernel: over the tight loop\n"
                " with the same kernel's vector sines, sse2 for the frame-by-frame engine; time in ns per block)\n");
  }

 private:
  double Time(const std::string& name) const {
    auto it = cpuTime_.find(name);
    return it == cpuTime_.end() ? 0.0 : it->second;
  }
  void PrintRatio(const std::string& limit, double t) const {
    const double l = Time(limit);
    if (l > 0.0)
      std::printf(" %10.2f", l / t);
    else
      std::printf(" %10s", "-");
  }
  std::map<std::string, double> cpuTime_;
};

}  // namespace

int main(int argc, char** argv) {
  RegisterAll();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
