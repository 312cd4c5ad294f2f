// The vector paths ("over" on each instruction set, the bilinear copy's
// four-channel sampling) give exactly the scalar definitions' pixels, over
// random pictures, weights, lengths, places, angles and scales.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "RasterTestUtil.h"
#include "raster/Blit.h"
#include "raster/BlitReference.h"
#include "raster/OverKernel.h"

namespace {

// Alpha clear, solid or anything, a quarter, a quarter and a half of the
// time: the kernels take shortcuts on runs of the first two.
PX_Pixel32 RandomPixel(std::mt19937& rng) {
  const uint32_t bits = rng();
  const uint32_t pick = rng() % 4;
  const uint32_t alpha = pick == 0 ? 0 : (pick == 1 ? 255 : bits >> 24);
  return alpha << 24 | (bits & 0xFFFFFF);
}

// Runs of one alpha kind as long as a kernel's step, and mixed ones.
std::vector<PX_Pixel32> RandomRow(std::mt19937& rng, int n) {
  std::vector<PX_Pixel32> row(n);
  for (int i = 0; i < n;) {
    const int run = 1 + static_cast<int>(rng() % 12);
    const bool same = rng() % 2 == 0;
    const PX_Pixel32 first = RandomPixel(rng);
    for (int k = 0; k < run && i < n; ++k, ++i)
      row[i] = same ? ((first & 0xFF000000u) | (rng() & 0xFFFFFF)) : RandomPixel(rng);
  }
  return row;
}

TEST(VectorPath, OverKernelsMatchTheScalarDefinition) {
  std::vector<const PX_OverKernel*> kernels = {&PX_Sse2Over(), PX_Avx2Over(), &PX_BestOver()};
  std::mt19937 rng(24);
  const int weights[] = {1, 2, 77, 128, 200, 255, 256, 300, 4096};
  for (const PX_OverKernel* kernel : kernels) {
    if (!kernel) continue;  // no AVX2 on this processor
    for (int trial = 0; trial < 400; ++trial) {
      const int n = static_cast<int>(rng() % 40);
      const int skew = static_cast<int>(rng() % 3);  // rows that start off any alignment
      const int alpha = weights[trial % (sizeof weights / sizeof weights[0])];
      std::vector<PX_Pixel32> src = RandomRow(rng, n + skew), dst = RandomRow(rng, n + skew);
      std::vector<PX_Pixel32> expected = dst;
      PX_ScalarOver().row(expected.data() + skew, src.data() + skew, n, alpha);
      kernel->row(dst.data() + skew, src.data() + skew, n, alpha);
      ASSERT_EQ(dst, expected) << kernel->name << " n " << n << " weight " << alpha;
    }
  }
}

TEST(VectorPath, BilinearCopyMatchesTheScalarDefinition) {
  std::mt19937 rng(2024);
  const uint32_t modes[] = {PX_COMBINE_SOURCE_ALPHA, PX_COMBINE_COPY, PX_COMBINE_ADD | PX_COMBINE_SOURCE_ALPHA,
                            PX_COMBINE_MULTIPLY};
  std::uniform_real_distribution<float> unit(0.0f, 1.0f);
  for (int trial = 0; trial < 200; ++trial) {
    const int sw = 1 + static_cast<int>(rng() % 40), sh = 1 + static_cast<int>(rng() % 40);
    auto src = makeBitmap(sw, sh);
    for (int y = 0; y < sh; ++y) {
      std::vector<PX_Pixel32> row = RandomRow(rng, sw);
      for (int x = 0; x < sw; ++x) setPixel(*src, x, y, row[x]);
    }
    auto a = makeBitmap(48, 48, 0xFF203040), b = makeBitmap(48, 48, 0xFF203040);
    // Scales from a third to three times, any angle, partly outside the
    // destination now and then, source offsets below a pixel as a knob's.
    const int w = 1 + static_cast<int>(rng() % 60), h = 1 + static_cast<int>(rng() % 60);
    const int x = static_cast<int>(rng() % 40) - 10, y = static_cast<int>(rng() % 40) - 10;
    const float angle = unit(rng) * 7.0f - 0.5f, ox = -unit(rng), oy = -unit(rng);
    const float opacity = trial % 3 == 0 ? 1.0f : unit(rng);
    const uint32_t mode = modes[trial % 4] | PX_COMBINE_BILINEAR;
    const bool clip = trial % 5 == 0;
    PX_RotateAreaReference(a.get(), src.get(), x, y, w, h, ox, oy, static_cast<float>(sw), static_cast<float>(sh),
                           angle, clip, opacity, mode, 0.0f, 0.0f);
    PX_RotateArea(b.get(), src.get(), x, y, w, h, ox, oy, static_cast<float>(sw), static_cast<float>(sh), angle,
                  clip, opacity, mode, 0.0f, 0.0f);
    ASSERT_EQ(pixelsOf(*b), pixelsOf(*a)) << "trial " << trial << " source " << sw << "x" << sh << " to " << w << "x"
                                          << h << " angle " << angle << " mode " << mode;
  }
}

}  // namespace
