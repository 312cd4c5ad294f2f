// The Ondivox editor's redraw cost with its real artwork: a full repaint,
// and one timer tick with one knob changed by the host while an LFO runs
// (the two LFO bars are redrawn at every tick), each at display scales given
// in percent.
#include <benchmark/benchmark.h>

#include "editor/EditorWin.h"
#include "tests/instrument/EngineHost.h"

namespace {

struct OndivoxBench {
  EngineHost plug;
  IEditorWin* editor;

  explicit OndivoxBench(int64_t percent, bool lfoRuns = true) {
    plug.Start(1024);
    if (lfoRuns) plug.Set(kLfo1Target, 4);  // "Pan": the LFO 1 bar moves
    plug.Render(1024);
    editor = static_cast<IEditorWin*>(plug.Editor());
    editor->SetHostScale(static_cast<double>(percent) / 100.0);
    // The artwork's resampled copies and the fonts are made outside the timing.
    editor->RedrawAll();
    editor->Tick();
    editor->RedrawAll();
    editor->Tick();
  }
};

// A tick's worth of audio at 48 kHz, outside the timing.
void MoveLfo(benchmark::State& state, OndivoxBench& b) {
  state.PauseTiming();
  b.plug.Render(2000);
  state.ResumeTiming();
}

void BM_OndivoxFullRedraw(benchmark::State& state) {
  OndivoxBench b(state.range(0));
  for (auto _ : state) {
    b.editor->RedrawAll();
    b.editor->Tick();
  }
}
BENCHMARK(BM_OndivoxFullRedraw)->Arg(100)->Arg(125)->Arg(150)->Arg(200)->Arg(300)->Unit(benchmark::kMicrosecond);

// Knobs in each row of the face: a large one, a small one, an LFO one;
// with no LFO running (0) and with LFO 1 moving its bar at every tick (1).
void BM_OndivoxTickOneKnob(benchmark::State& state) {
  OndivoxBench b(state.range(2), state.range(1) != 0);
  const int param = static_cast<int>(state.range(0));
  const IParamEntry* p = b.plug.Param(param);
  double v = 0.0;
  for (auto _ : state) {
    v = v > 0.9 ? 0.0 : v + 0.01;
    b.plug.Set(param, p->min + (p->max - p->min) * v);
    if (state.range(1)) MoveLfo(state, b);
    b.editor->Tick();
  }
}
BENCHMARK(BM_OndivoxTickOneKnob)
    ->ArgsProduct({{kBaseFreq, kVolume, kLfo1Depth}, {0, 1}, {100, 200, 300}})
    ->Unit(benchmark::kMicrosecond);

// The first redraw at a scale no editor has drawn at yet: every picture of
// the face resampled and every text's glyphs rendered at the new size. Run
// once only, since the copies are kept for the process.
void BM_OndivoxFirstDrawAtNewScale(benchmark::State& state) {
  OndivoxBench b(100);
  for (auto _ : state) {
    b.editor->SetHostScale(static_cast<double>(state.range(0)) / 100.0);
    b.editor->Tick();
  }
}
BENCHMARK(BM_OndivoxFirstDrawAtNewScale)->Arg(175)->Iterations(1)->Unit(benchmark::kMillisecond);

// Nothing but the LFO 1 bar moving.
void BM_OndivoxTickBarsOnly(benchmark::State& state) {
  OndivoxBench b(state.range(0));
  for (auto _ : state) {
    MoveLfo(state, b);
    b.editor->Tick();
  }
}
BENCHMARK(BM_OndivoxTickBarsOnly)->Arg(100)->Arg(200)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
