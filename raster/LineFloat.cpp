#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "raster/Canvas.h"
#include "raster/Draw.h"
#include "raster/LineClip.h"
#include "raster/Pen.h"

namespace {

int truncToInt(float v) {
  double d = std::max(-2147483648.0, std::min(2147483647.0, static_cast<double>(v)));
  return static_cast<int>(d);
}

// Steps along the major axis with the exact minor position split between the
// two pixels it falls between.
template <class Pen>
void smooth(const PX_Canvas& canvas, double x1, double y1, double x2, double y2, const Pen& pen, int alpha) {
  bool xMajor = std::fabs(x2 - x1) > std::fabs(y2 - y1);
  double a = xMajor ? x1 : y1, b = xMajor ? x2 : y2;
  double ma = xMajor ? y1 : x1, mb = xMajor ? y2 : x2;
  if (a > b) std::swap(a, b), std::swap(ma, mb);
  double slope = (mb - ma) / (b - a);
  int64_t first = static_cast<int64_t>(std::ceil(a)), last = static_cast<int64_t>(std::floor(b));
  int64_t minor = static_cast<int64_t>(std::floor((ma + (first - a) * slope) * 65536.0));
  int64_t step = static_cast<int64_t>(slope * 65536.0);
  for (int64_t p = first; p <= last; ++p, minor += step) {
    int64_t m = minor >> 16;
    int f = static_cast<int>((minor & 0xFFFF) >> 8);
    int near = (255 - f) * alpha >> 8, far = f * alpha >> 8;
    if (xMajor) {
      canvas.pointAt(p, m, pen, near);
      canvas.pointAt(p, m + 1, pen, far);
    } else {
      canvas.pointAt(m, p, pen, near);
      canvas.pointAt(m + 1, p, pen, far);
    }
  }
}

}  // namespace

void PX_LineFloat(PX_IBitmap* bitmap, float x1, float y1, float x2, float y2, PX_Pixel32 colour, float opacity,
                  uint32_t mode, bool antialias) {
  if (!bitmap) return;
  if (!antialias)
    return PX_LineInt(bitmap, truncToInt(x1), truncToInt(y1), truncToInt(x2), truncToInt(y2), colour, opacity,
                      mode, false);
  PX_Canvas canvas = PX_Canvas::memoryOrder(bitmap);
  if (canvas.empty()) return;
  double ax = x1, ay = y1, bx = x2, by = y2;
  if (!std::isfinite(ax) || !std::isfinite(ay) || !std::isfinite(bx) || !std::isfinite(by)) return;
  if (bitmap->isBottomUp()) ay = canvas.height - 1 - ay, by = canvas.height - 1 - by;
  if (!px_line::clip(ax, ay, bx, by, canvas.width, canvas.height)) return;
  if (ax == bx && ay == by) return;
  int alpha = PX_WeightTrunc(opacity);
  if (alpha == 0) return;
  PX_Source source = PX_Source::of(colour);
  PX_WithCombineOp(mode, false, [&](auto op) {
    using Op = decltype(op);
    if (PX_IsCopyOp<Op>() && alpha < 0) return;
    smooth(canvas, ax, ay, bx, by, PX_OpPen<Op>{source, alpha}, alpha);
  });
}
