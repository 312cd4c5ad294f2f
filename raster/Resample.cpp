#include "raster/Resample.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "raster/PixelView.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

double CatmullRom(double x) {
  x = std::fabs(x);
  if (x < 1.0) return 1.5 * x * x * x - 2.5 * x * x + 1.0;
  if (x < 2.0) return -0.5 * x * x * x + 2.5 * x * x - 4.0 * x + 2.0;
  return 0.0;
}

double Lanczos3(double x) {
  x = std::fabs(x);
  if (x < 1e-9) return 1.0;
  if (x >= 3.0) return 0.0;
  const double px = kPi * x;
  return 3.0 * std::sin(px) * std::sin(px / 3.0) / (px * px);
}

// For each destination column (or row): the first source index and the
// normalised weights of the source pixels it takes.
struct Taps {
  std::vector<int> first;
  std::vector<int> count;
  std::vector<float> weights;  // `width` per destination pixel
  int width = 0;
};

Taps MakeTaps(int from, int to) {
  Taps t;
  const double ratio = static_cast<double>(to) / from;
  const bool enlarge = ratio >= 1.0;
  const double stretch = enlarge ? 1.0 : 1.0 / ratio;  // kernel widened when shrinking
  const double support = (enlarge ? 2.0 : 3.0) * stretch;
  t.width = static_cast<int>(std::ceil(support * 2.0)) + 1;
  t.first.resize(to);
  t.count.resize(to);
  t.weights.assign(static_cast<size_t>(to) * t.width, 0.0f);
  for (int i = 0; i < to; ++i) {
    const double centre = (i + 0.5) / ratio - 0.5;
    int lo = static_cast<int>(std::floor(centre - support)) + 1;
    int hi = static_cast<int>(std::floor(centre + support));
    hi = std::min(hi, lo + t.width - 1);
    double sum = 0.0;
    std::vector<double> w;
    for (int s = lo; s <= hi; ++s) {
      const double x = (s - centre) / stretch;
      w.push_back(enlarge ? CatmullRom(x) : Lanczos3(x));
      sum += w.back();
    }
    t.first[i] = lo;
    t.count[i] = hi - lo + 1;
    for (int k = 0; k < t.count[i]; ++k)
      t.weights[static_cast<size_t>(i) * t.width + k] = static_cast<float>(sum != 0.0 ? w[k] / sum : 0.0);
  }
  return t;
}

// Premultiplied channels, b g r a.
struct Premul {
  float c[4];
};

Premul Load(PX_Pixel32 p) {
  const float a = PX_Alpha(p) / 255.0f;
  return {{PX_Blue(p) * a, PX_Green(p) * a, PX_Red(p) * a, static_cast<float>(PX_Alpha(p))}};
}

PX_Pixel32 Store(const Premul& p) {
  // Colours come back through the filtered alpha itself, before it is held
  // to 0 ... 255, so a lobe's overshoot leaves a flat colour flat.
  const float filtered = p.c[3];
  const float a = std::min(255.0f, std::max(0.0f, filtered));
  if (a < 0.5f) return 0;
  auto channel = [&](float v) {
    const float straight = v * 255.0f / filtered;
    return static_cast<int>(std::min(255.0f, std::max(0.0f, straight)) + 0.5f);
  };
  return PX_Pack(static_cast<int>(a + 0.5f), channel(p.c[2]), channel(p.c[1]), channel(p.c[0]));
}

}  // namespace

PX_MemBitmap* PX_Resample(PX_IBitmap* source, int width, int height) {
  if (width <= 0 || height <= 0) return nullptr;
  const PX_PixelView src = PX_PixelView::of(source);
  if (src.empty()) return nullptr;
  const Taps across = MakeTaps(src.width, width), down = MakeTaps(src.height, height);

  // Rows first (source height x destination width), then columns.
  std::vector<Premul> rows(static_cast<size_t>(src.height) * width);
  std::vector<Premul> line(src.width);
  for (int y = 0; y < src.height; ++y) {
    const PX_Pixel32* in = src.row(y);
    for (int x = 0; x < src.width; ++x) line[x] = Load(in[x]);
    for (int i = 0; i < width; ++i) {
      Premul sum{};
      const float* w = &across.weights[static_cast<size_t>(i) * across.width];
      for (int k = 0; k < across.count[i]; ++k) {
        const Premul& p = line[std::min(std::max(across.first[i] + k, 0), src.width - 1)];
        for (int c = 0; c < 4; ++c) sum.c[c] += w[k] * p.c[c];
      }
      rows[static_cast<size_t>(y) * width + i] = sum;
    }
  }
  auto* out = new PX_MemBitmap(width, height, 4);
  const PX_PixelView dst = PX_PixelView::of(out);
  if (dst.empty()) {
    delete out;
    return nullptr;
  }
  for (int j = 0; j < height; ++j) {
    PX_Pixel32* o = dst.row(j);
    const float* w = &down.weights[static_cast<size_t>(j) * down.width];
    for (int i = 0; i < width; ++i) {
      Premul sum{};
      for (int k = 0; k < down.count[j]; ++k) {
        const int y = std::min(std::max(down.first[j] + k, 0), src.height - 1);
        const Premul& p = rows[static_cast<size_t>(y) * width + i];
        for (int c = 0; c < 4; ++c) sum.c[c] += w[k] * p.c[c];
      }
      o[i] = Store(sum);
    }
  }
  return out;
}
