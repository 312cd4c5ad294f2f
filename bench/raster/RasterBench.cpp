// Megapixels per second of the raster operations the editor uses most.
// Items processed are pixels, so Google Benchmark reports pixels per second.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "RasterBenchImages.h"
#include "raster/Blit.h"
#include "raster/BlitReference.h"
#include "raster/Draw.h"
#include "raster/OverKernel.h"

namespace {

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

// "Over" through each kernel directly, on the same rows as BM_CopySourceAlpha.
void overKernel(benchmark::State& state, const PX_OverKernel* kernel) {
  if (!kernel) return state.SkipWithError("the processor lacks this instruction set");
  auto src = artwork(kSize), dst = surface(kSize);
  for (auto _ : state) {
    for (int y = 0; y < kSize; ++y)
      kernel->row(dst->pixels() + y * dst->rowStride(), src->pixels() + y * src->rowStride(), kSize, 256);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kSize * kSize);
}
void BM_OverScalar(benchmark::State& s) { overKernel(s, &PX_ScalarOver()); }
void BM_OverSse2(benchmark::State& s) { overKernel(s, &PX_Sse2Over()); }
void BM_OverAvx2(benchmark::State& s) { overKernel(s, PX_Avx2Over()); }

using RotateFunction = decltype(&PX_RotateArea);

void rotate58(benchmark::State& state, RotateFunction rotateArea) {
  auto src = artwork(58), dst = surface(64);
  float angle = 0.0f;
  for (auto _ : state) {
    rotateArea(dst.get(), src.get(), 3, 3, 58, 58, 0, 0, 58, 58, angle, false, 1.0f,
               PX_COMBINE_SOURCE_ALPHA | PX_COMBINE_BILINEAR, 0, 0);
    angle += 0.01f;
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * 58 * 58);
}
void BM_RotateBilinear58(benchmark::State& s) { rotate58(s, &PX_RotateArea); }
void BM_RotateBilinear58Scalar(benchmark::State& s) { rotate58(s, &PX_RotateAreaReference); }

// The scaled copy: a 128 x 128 source drawn over 256 x 256, bilinear.
void scaled(benchmark::State& state, RotateFunction rotateArea) {
  auto src = artwork(kSize / 2), dst = surface(kSize);
  for (auto _ : state) {
    rotateArea(dst.get(), src.get(), 0, 0, kSize, kSize, 0, 0, kSize / 2, kSize / 2, 0.0f, false, 1.0f,
               PX_COMBINE_SOURCE_ALPHA | PX_COMBINE_BILINEAR, 0, 0);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kSize * kSize);
}
void BM_ScaledBilinear2x(benchmark::State& s) { scaled(s, &PX_RotateArea); }
void BM_ScaledBilinear2xScalar(benchmark::State& s) { scaled(s, &PX_RotateAreaReference); }

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
BENCHMARK(BM_OverScalar);
BENCHMARK(BM_OverSse2);
BENCHMARK(BM_OverAvx2);
BENCHMARK(BM_RotateBilinear58);
BENCHMARK(BM_RotateBilinear58Scalar);
BENCHMARK(BM_ScaledBilinear2x);
BENCHMARK(BM_ScaledBilinear2xScalar);
BENCHMARK(BM_FillOpaque);
BENCHMARK(BM_Fill03);
BENCHMARK(BM_LineAntialiased);
BENCHMARK(BM_CircleFilledAntialiased);
BENCHMARK_MAIN();
