// Cached-font text: drawing a cached line, measuring it, and rendering
// glyphs into the cache the first time.
#include <benchmark/benchmark.h>

#include "raster/CachedFont.h"
#include "raster/MemBitmap.h"

namespace {

const char* kKnobText = "Ondivox 1/16T \xC3\x84\xC3\x96\xC3\x9C";

PX_CachedFont* EditorFont() {
  static PX_CachedFont* font = [] {
    PX_FontDesc desc;
    desc.height = 15;
    auto* f = new PX_CachedFont;
    f->setFromFont(PX_CreateFont(desc), PX_FONT_OWNS_HANDLE | PX_FONT_NATIVE);
    f->setTextColor(0xC8FFFFFF);
    return f;
  }();
  return font;
}

// The editor's translucent knob text, centred, onto an editor-sized surface.
void BM_DrawCachedText(benchmark::State& state) {
  PX_MemBitmap surface(550, 365, 4);
  PX_CachedFont* font = EditorFont();
  for (auto _ : state) {
    PX_Rect r = {233, 298, 317, 313};
    benchmark::DoNotOptimize(
        font->drawText(&surface, kKnobText, -1, &r, PX_TEXT_NOCLIP | PX_TEXT_CENTER | PX_TEXT_FOREGROUND_ALPHA));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DrawCachedText);

void BM_MeasureText(benchmark::State& state) {
  PX_CachedFont* font = EditorFont();
  for (auto _ : state) {
    PX_Rect r = {0, 0, 0, 0};
    benchmark::DoNotOptimize(font->drawText(nullptr, kKnobText, -1, &r, PX_TEXT_CALCRECT));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MeasureText);

// A cold cache: every printable ASCII glyph rendered once per round.
void BM_RenderAsciiGlyphs(benchmark::State& state) {
  PX_FontDesc desc;
  desc.height = static_cast<int>(state.range(0));
  PX_CachedFont font;
  PX_FontHandle handle = PX_CreateFont(desc);
  for (auto _ : state) {
    font.setFromFont(handle, PX_FONT_OWNS_HANDLE);  // the same handle: only the cache is emptied
    for (uint32_t c = 32; c < 127; ++c) benchmark::DoNotOptimize(font.glyph(c));
  }
  state.SetItemsProcessed(state.iterations() * 95);
}
BENCHMARK(BM_RenderAsciiGlyphs)->Arg(15)->Arg(40);

}  // namespace

BENCHMARK_MAIN();
