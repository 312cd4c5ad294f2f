// Megapixels per second of the raster operations the editor uses most.
// Items processed are pixels, so Google Benchmark reports pixels per second.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "raster/Blit.h"
#include "raster/Draw.h"
#include "raster/MemBitmap.h"

namespace {

constexpr int kSize = 256;

// Artwork-like source: an opaque disc with a soft edge on a transparent
// ground, the shape of the editor's knobs and buttons.
std::unique_ptr<PX_MemBitmap> artwork(int size) {
  auto b = std::make_unique<PX_MemBitmap>(size, size, 4);
  double r = size * 0.45, c = (size - 1) * 0.5;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      double edge = r - std::hypot(x - c, y - c);
      int a = edge >= 1 ? 255 : (edge <= 0 ? 0 : static_cast<int>(edge * 255));
      b->pixels()[y * b->rowStride() + x] = static_cast<PX_Pixel32>(a) << 24 | (x * 7 & 0xFF) << 16 | (y & 0xFF) << 8 | 0x40;
    }
  return b;
}

std::unique_ptr<PX_MemBitmap> surface(int size) {
  auto b = std::make_unique<PX_MemBitmap>(size, size, 4);
  for (int i = 0; i < size * b->rowStride(); ++i) b->pixels()[i] = 0xFF203040;
  return b;
}

void copyArea(benchmark::State& state, float opacity, uint32_t mode) {
  auto src = artwork(kSize), dst = surface(kSize);
  for (auto _ : state) {
    PX_CopyArea(dst.get(), src.get(), 0, 0, nullptr, opacity, mode);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kSize * kSize);
}

void BM_CopySourceAlpha(benchmark::State& s) { copyArea(s, 1.0f, PX_COMBINE_SOURCE_ALPHA); }
void BM_CopySourceAlpha06(benchmark::State& s) { copyArea(s, 0.6f, PX_COMBINE_SOURCE_ALPHA); }
void BM_CopyHalf(benchmark::State& s) { copyArea(s, 0.5f, PX_COMBINE_COPY); }
void BM_CopyOpaque(benchmark::State& s) { copyArea(s, 1.0f, PX_COMBINE_COPY); }
void BM_AddSourceAlpha(benchmark::State& s) { copyArea(s, 1.0f, PX_COMBINE_ADD | PX_COMBINE_SOURCE_ALPHA); }

void BM_RotateBilinear58(benchmark::State& state) {
  auto src = artwork(58), dst = surface(64);
  float angle = 0.0f;
  for (auto _ : state) {
    PX_RotateArea(dst.get(), src.get(), 3, 3, 58, 58, 0, 0, 58, 58, angle, false, 1.0f,
                  PX_COMBINE_SOURCE_ALPHA | PX_COMBINE_BILINEAR, 0, 0);
    angle += 0.01f;
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * 58 * 58);
}

void fill(benchmark::State& state, float opacity) {
  auto dst = surface(kSize);
  for (auto _ : state) {
    PX_FillArea(dst.get(), 0, 0, kSize, kSize, 0xFF336699, opacity, PX_COMBINE_COPY);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kSize * kSize);
}
void BM_FillOpaque(benchmark::State& s) { fill(s, 1.0f); }
void BM_Fill03(benchmark::State& s) { fill(s, 0.3f); }

// Lines through the centre at 64 angles; items are the pixels along each
// line's major axis (each of which touches two pixels).
void BM_LineAntialiased(benchmark::State& state) {
  auto dst = surface(kSize);
  int64_t pixels = 0;
  for (auto _ : state) {
    for (int i = 0; i < 64; ++i) {
      double a = i * 3.14159265 / 64;
      int dx = static_cast<int>(120 * std::cos(a)), dy = static_cast<int>(120 * std::sin(a));
      PX_LineInt(dst.get(), 128 - dx, 128 - dy, 128 + dx, 128 + dy, 0xFFFFFFFF, 0.8f, PX_COMBINE_COPY, true);
      pixels += 2 * std::max(std::abs(dx), std::abs(dy)) + 1;
    }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(pixels);
}

void BM_CircleFilledAntialiased(benchmark::State& state) {
  auto dst = surface(kSize);
  const float r = 40.0f;
  for (auto _ : state) {
    PX_CircleFilled(dst.get(), 128.3f, 127.6f, r, 0xFFFFFFFF, 0.8f, PX_COMBINE_COPY, true);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * 3.14159265 * r * r));
}

}  // namespace

BENCHMARK(BM_CopySourceAlpha);
BENCHMARK(BM_CopySourceAlpha06);
BENCHMARK(BM_CopyHalf);
BENCHMARK(BM_CopyOpaque);
BENCHMARK(BM_AddSourceAlpha);
BENCHMARK(BM_RotateBilinear58);
BENCHMARK(BM_FillOpaque);
BENCHMARK(BM_Fill03);
BENCHMARK(BM_LineAntialiased);
BENCHMARK(BM_CircleFilledAntialiased);
BENCHMARK_MAIN();
