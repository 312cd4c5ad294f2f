// The same work done by pixman, in the same run: "over" of the artwork onto
// the surface, the 2x bilinear scaled copy and the turning 58 x 58 knob.
// pixman keeps premultiplied alpha, so its source is the artwork
// premultiplied; the pixels written are the same in number and kind.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cmath>

#include "RasterBenchImages.h"

namespace {

PX_Pixel32 premultiplied(PX_Pixel32 p) {
  const uint32_t a = p >> 24;
  auto c = [&](int shift) { return (((p >> shift) & 0xFF) * a + 127) / 255 << shift; };
  return a << 24 | c(16) | c(8) | c(0);
}

struct PixmanImage {
  std::unique_ptr<PX_MemBitmap> bitmap;
  pixman_image_t* image = nullptr;

  PixmanImage(std::unique_ptr<PX_MemBitmap> b, bool premultiply) : bitmap(std::move(b)) {
    const int n = bitmap->height() * bitmap->rowStride();
    if (premultiply)
      for (int i = 0; i < n; ++i) bitmap->pixels()[i] = premultiplied(bitmap->pixels()[i]);
    image = pixman_image_create_bits(PIXMAN_a8r8g8b8, bitmap->width(), bitmap->height(), bitmap->pixels(),
                                     bitmap->rowStride() * 4);
  }
  ~PixmanImage() { pixman_image_unref(image); }
};

void BM_PixmanOver(benchmark::State& state) {
  PixmanImage src(artwork(kSize), true), dst(surface(kSize), false);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_OVER, src.image, nullptr, dst.image, 0, 0, 0, 0, 0, 0, kSize, kSize);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kSize * kSize);
}

void setTransform(pixman_image_t* image, double scale, double angle, double centre) {
  // Destination to source: about the centre, turned back and scaled down.
  pixman_f_transform f;
  pixman_f_transform_init_identity(&f);
  pixman_f_transform_translate(&f, nullptr, -centre, -centre);
  pixman_f_transform_rotate(&f, nullptr, std::cos(-angle), std::sin(-angle));
  pixman_f_transform_scale(&f, nullptr, 1.0 / scale, 1.0 / scale);
  pixman_f_transform_translate(&f, nullptr, centre / scale, centre / scale);
  pixman_transform t;
  pixman_transform_from_pixman_f_transform(&t, &f);
  pixman_image_set_transform(image, &t);
  pixman_image_set_filter(image, PIXMAN_FILTER_BILINEAR, nullptr, 0);
}

void BM_PixmanScaledBilinear2x(benchmark::State& state) {
  PixmanImage src(artwork(kSize / 2), true), dst(surface(kSize), false);
  pixman_transform t;
  pixman_transform_init_scale(&t, pixman_double_to_fixed(0.5), pixman_double_to_fixed(0.5));
  pixman_image_set_transform(src.image, &t);
  pixman_image_set_filter(src.image, PIXMAN_FILTER_BILINEAR, nullptr, 0);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_OVER, src.image, nullptr, dst.image, 0, 0, 0, 0, 0, 0, kSize, kSize);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kSize * kSize);
}

void BM_PixmanRotateBilinear58(benchmark::State& state) {
  PixmanImage src(artwork(58), true), dst(surface(64), false);
  double angle = 0.0;
  for (auto _ : state) {
    setTransform(src.image, 1.0, angle, 29.0);
    pixman_image_composite32(PIXMAN_OP_OVER, src.image, nullptr, dst.image, 0, 0, 0, 0, 3, 3, 58, 58);
    angle += 0.01;
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * 58 * 58);
}

}  // namespace

BENCHMARK(BM_PixmanOver);
BENCHMARK(BM_PixmanScaledBilinear2x);
BENCHMARK(BM_PixmanRotateBilinear58);
