#include <algorithm>
#include <cstdint>

#include "raster/Draw.h"
#include "raster/Pen.h"
#include "raster/PixelView.h"

namespace {

struct FillJob {
  PX_PixelView view;
  int x, y, w, h;
};

template <class Pen>
void fill(const FillJob& job, const Pen& pen) {
  for (int j = 0; j < job.h; ++j) {
    PX_Pixel32* d = job.view.row(job.y + j) + job.x;
    for (int i = 0; i < job.w; ++i) pen.plot(d[i]);
  }
}

}  // namespace

void PX_FillArea(PX_IBitmap* bitmap, int x, int y, int width, int height, PX_Pixel32 colour, float opacity,
                 uint32_t mode) {
  if (!bitmap) return;
  if (PX_CombineHasSourceAlpha(mode)) opacity *= static_cast<float>(colour >> 24) * 0.003921569f;
  int64_t left = x, top = y, w = width, h = height;
  if (left < 0) w += left, left = 0;
  if (top < 0) h += top, top = 0;
  FillJob job{PX_PixelView::of(bitmap), 0, 0, 0, 0};
  if (opacity == 0.0f || job.view.empty() || w <= 0 || h <= 0) return;
  if (left >= job.view.width || top >= job.view.height) return;
  job.x = static_cast<int>(left);
  job.y = static_cast<int>(top);
  job.w = static_cast<int>(std::min<int64_t>(w, job.view.width - left));
  job.h = static_cast<int>(std::min<int64_t>(h, job.view.height - top));

  int alpha = PX_WeightTrunc(opacity);
  if (PX_CombineKind(mode) == PX_COMBINE_COPY) {
    // Weights above full strength fill like full strength.
    if (alpha >= 256) return fill(job, PX_StorePen{colour});
    if (alpha == 192) return fill(job, PX_ThreeQuarterPen{colour});
    if (alpha == 128) return fill(job, PX_HalfPen{colour});
    if (alpha == 64) return fill(job, PX_QuarterPen{colour});
    if (alpha <= 0) return;
  }
  if (alpha == 0) return;
  // The weight itself stands in for the source alpha; beyond full strength
  // it is held at 256 so the formulas stay within int arithmetic.
  PX_Source source{PX_Blue(colour), PX_Green(colour), PX_Red(colour), std::max(-256, std::min(256, alpha))};
  PX_WithCombineOp(mode, false, [&](auto op) {
    using Op = decltype(op);
    fill(job, PX_OpPen<Op>{source, alpha});
  });
}
