#include <algorithm>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "raster/Blit.h"
#include "raster/OverKernel.h"
#include "raster/PixelView.h"

namespace {

// The clipped copy: w x h pixels from source (sx, sy) to destination (dx, dy).
struct CopyJob {
  PX_PixelView src, dst;
  int sx, sy, dx, dy, w, h;
  const PX_Pixel32* srcRow(int j) const { return src.row(sy + j) + sx; }
  PX_Pixel32* dstRow(int j) const { return dst.row(dy + j) + dx; }
};

bool clip(PX_IBitmap* destination, PX_IBitmap* source, int x, int y, const PX_Rect* rect, CopyJob& job) {
  int64_t sw = source->width(), sh = source->height();
  int64_t left = 0, top = 0, right = sw, bottom = sh;
  if (rect) {
    left = rect->left;
    top = rect->top;
    right = std::min<int64_t>(rect->right, sw);
    bottom = std::min<int64_t>(rect->bottom, sh);
  }
  int64_t dx = x, dy = y;
  if (left < 0) dx -= left, left = 0;
  if (top < 0) dy -= top, top = 0;
  if (dx < 0) left -= dx, dx = 0;
  if (dy < 0) top -= dy, dy = 0;
  int64_t dw = destination->width(), dh = destination->height();
  if (left >= right || top >= bottom || dx >= dw || dy >= dh) return false;
  int64_t w = std::min(right, left + dw - dx) - left;
  int64_t h = std::min(bottom, top + dh - dy) - top;
  if (w <= 0 || h <= 0) return false;
  job.src = PX_PixelView::of(source);
  job.dst = PX_PixelView::of(destination);
  if (job.src.empty() || job.dst.empty()) return false;
  job.sx = static_cast<int>(left);
  job.sy = static_cast<int>(top);
  job.dx = static_cast<int>(dx);
  job.dy = static_cast<int>(dy);
  job.w = static_cast<int>(w);
  job.h = static_cast<int>(h);
  return true;
}

void copyChannel(const CopyJob& job, uint32_t mode) {
  int toShift = static_cast<int>((mode >> 2) & 3) * 8;
  int fromShift = static_cast<int>(mode & 3) * 8;
  PX_Pixel32 keep = ~(PX_Pixel32{0xFF} << toShift);
  for (int j = 0; j < job.h; ++j) {
    const PX_Pixel32* s = job.srcRow(j);
    PX_Pixel32* d = job.dstRow(j);
    for (int i = 0; i < job.w; ++i) d[i] = (d[i] & keep) | (((s[i] >> fromShift) & 0xFF) << toShift);
  }
}

void copyRows(const CopyJob& job) {
  for (int j = 0; j < job.h; ++j) std::memmove(job.dstRow(j), job.srcRow(j), static_cast<size_t>(job.w) * 4);
}

void averageRows(const CopyJob& job) {
  for (int j = 0; j < job.h; ++j) {
    const PX_Pixel32* s = job.srcRow(j);
    PX_Pixel32* d = job.dstRow(j);
    for (int i = 0; i < job.w; ++i) d[i] = PX_Half(s[i], d[i]);
  }
}

// Copy at full strength without source alpha is a plain copy, and the copy
// kinds draw nothing at weights of 0 or less.
template <class Op>
bool copyKindSkips(int alpha) {
  return (std::is_same<Op, PX_CopyOp>::value || std::is_same<Op, PX_CopySourceAlphaOp>::value) && alpha <= 0;
}

template <class Op>
void blendRows(const CopyJob& job, int alpha) {
  for (int j = 0; j < job.h; ++j) {
    const PX_Pixel32* s = job.srcRow(j);
    PX_Pixel32* d = job.dstRow(j);
    for (int i = 0; i < job.w; ++i) d[i] = Op::blend(d[i], PX_Source::of(s[i]), alpha);
  }
}

// Copy weighted by source alpha ("over") runs on the processor's vector kernel.
void overRows(const CopyJob& job, int alpha) {
  const PX_OverKernel& kernel = PX_BestOver();
  for (int j = 0; j < job.h; ++j) kernel.row(job.dstRow(j), job.srcRow(j), job.w, alpha);
}

}  // namespace

void PX_CopyArea(PX_IBitmap* destination, PX_IBitmap* source, int x, int y, const PX_Rect* sourceRect,
                 float opacity, uint32_t mode) {
  if (!destination || !source || opacity == 0.0f) return;
  CopyJob job;
  if (!clip(destination, source, x, y, sourceRect, job)) return;

  uint32_t kind = PX_CombineKind(mode);
  if (kind >= PX_COMBINE_CHANNEL_COPY) return copyChannel(job, mode);
  if (kind == PX_COMBINE_COPY && !PX_CombineHasSourceAlpha(mode)) {
    if (opacity == 1.0f) return copyRows(job);
    if (opacity == 0.5f) return averageRows(job);
  }
  int alpha = PX_WeightTrunc(opacity);
  if (alpha == 0) return;
  PX_WithCombineOp(mode, true, [&](auto op) {
    using Op = decltype(op);
    if (copyKindSkips<Op>(alpha)) return;
    if (std::is_same<Op, PX_CopyOp>::value && alpha >= 256) return copyRows(job);
    if (std::is_same<Op, PX_CopySourceAlphaOp>::value) return overRows(job, alpha);
    blendRows<Op>(job, alpha);
  });
}

void PX_CopyAreaXYWH(PX_IBitmap* destination, PX_IBitmap* source, int x, int y, int sourceX, int sourceY,
                     int width, int height, float opacity, uint32_t mode) {
  // Sums beyond the int range clip to its edge rather than wrapping around.
  auto end = [](int start, int size) {
    int64_t e = static_cast<int64_t>(start) + size;
    return static_cast<int>(std::max<int64_t>(INT32_MIN, std::min<int64_t>(INT32_MAX, e)));
  };
  PX_Rect rect{sourceX, sourceY, end(sourceX, width), end(sourceY, height)};
  PX_CopyArea(destination, source, x, y, &rect, opacity, mode);
}
