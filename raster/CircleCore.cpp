#include "raster/CircleCore.h"

#include <cmath>

#include "raster/Pen.h"

namespace px_circle {
namespace {

struct Centre {
  const PX_Canvas& c;
  int64_t x, y;

  template <class Pen>
  void rows(int64_t offset, int64_t halfWidth, const Pen& pen) const {
    c.span(y - offset, x - halfWidth, x + halfWidth, pen);
    if (offset != 0) c.span(y + offset, x - halfWidth, x + halfWidth, pen);
  }
  // The four points (x +- dx, y +- dy).
  template <class Pen>
  void four(int64_t dx, int64_t dy, const Pen& pen) const {
    c.point(x - dx, y - dy, pen), c.point(x + dx, y - dy, pen);
    c.point(x - dx, y + dy, pen), c.point(x + dx, y + dy, pen);
  }
  template <class Pen>
  void fourAt(int64_t dx, int64_t dy, const Pen& pen, int k) const {
    c.pointAt(x - dx, y - dy, pen, k), c.pointAt(x + dx, y - dy, pen, k);
    c.pointAt(x - dx, y + dy, pen, k), c.pointAt(x + dx, y + dy, pen, k);
  }
  // The axis points at distance r: up, right, down, left.
  template <class Pen>
  void axisAt(int64_t r, const Pen& pen, int k) const {
    if (r == 0) return c.pointAt(x, y, pen, k);
    c.pointAt(x, y - r, pen, k), c.pointAt(x + r, y, pen, k);
    c.pointAt(x, y + r, pen, k), c.pointAt(x - r, y, pen, k);
  }
};

// Midpoint circle. The filled form draws every row once (translucent fills
// must not blend a pixel twice): rows y +- i at once, rows y +- x when x is
// about to change, at their widest.
template <class Pen>
void midpoint(const Centre& o, int64_t r, const Pen& pen, bool filled) {
  if (r == 0) return o.c.point(o.x, o.y, pen);
  if (filled) {
    o.rows(0, r, pen);
  } else {
    o.c.point(o.x, o.y - r, pen), o.c.point(o.x + r, o.y, pen);
    o.c.point(o.x, o.y + r, pen), o.c.point(o.x - r, o.y, pen);
  }
  int64_t x = r, e = -r, pendingRow = r, pendingWidth = 0;
  for (int64_t i = 1; i < x; ++i) {
    int64_t before = x;
    if (e >= 0) x = x - 1;
    e += e < 0 ? 2 * i + 1 : 2 * i + 3 - 2 * before;
    if (filled) {
      if (x != pendingRow) o.rows(pendingRow, pendingWidth, pen), pendingRow = x;
      pendingWidth = i;
      if (i != x) o.rows(i, x, pen);
    } else {
      o.four(i, x, pen);
      if (i != x) o.four(x, i, pen);
    }
  }
  if (filled) o.rows(pendingRow, pendingWidth, pen);
}

// Antialiased circle: per step the exact distance d splits the edge between
// the pixel at floor(d) (or the interior) and the one beyond.
template <class Pen>
void smooth(const Centre& o, double radius, const Pen& pen, int alpha, bool filled) {
  int64_t n = static_cast<int64_t>(radius);
  int w = static_cast<int>((radius - std::floor(radius)) * alpha);
  o.axisAt(n + 1, pen, w);
  if (filled) {
    o.rows(0, n, pen);
    for (int64_t j = 1; j <= n; ++j) {
      int64_t half = static_cast<int64_t>(std::floor(std::sqrt(radius * radius - static_cast<double>(j * j))));
      o.rows(j, half, pen);
    }
  } else {
    o.axisAt(n, pen, alpha - w);
  }
  for (int64_t i = 1;; ++i) {
    double d2 = radius * radius - static_cast<double>(i * i);
    if (d2 < 0) break;
    double d = std::sqrt(d2);
    int64_t limit = static_cast<int64_t>(d + 0.5);
    if (i > limit) break;
    int64_t m = static_cast<int64_t>(std::floor(d));
    int k = static_cast<int>((d - static_cast<double>(m)) * alpha);
    o.fourAt(i, m + 1, pen, k);
    if (i != limit) o.fourAt(m + 1, i, pen, k);
    if (filled) continue;
    const PX_Canvas& c = o.c;
    c.pointAt(o.x - m, o.y - i, pen, alpha - k), c.pointAt(o.x + m, o.y - i, pen, alpha - k);
    c.pointAt(o.x - i, o.y + m, pen, alpha - k), c.pointAt(o.x + i, o.y + m, pen, alpha - k);
    if (i == limit) continue;
    c.pointAt(o.x - i, o.y - m, pen, alpha - k), c.pointAt(o.x + i, o.y - m, pen, alpha - k);
    c.pointAt(o.x - m, o.y + i, pen, alpha - k), c.pointAt(o.x + m, o.y + i, pen, alpha - k);
  }
}

}  // namespace

void draw(const PX_Canvas& canvas, float centreX, float centreY, float radius, PX_Pixel32 colour, int alpha,
          uint32_t mode, bool antialias, bool filled) {
  if (canvas.empty() || alpha == 0 || !(radius >= 0) || radius > kMaxRadius) return;
  // Centres this far off lie outside any bitmap by more than the largest radius.
  if (!(std::fabs(centreX) < 1e12f) || !(std::fabs(centreY) < 1e12f)) return;
  if (canvas.clipLeft >= canvas.clipRight || canvas.clipTop >= canvas.clipBottom) return;
  Centre o{canvas, static_cast<int64_t>(static_cast<double>(centreX) + 0.5),
           static_cast<int64_t>(static_cast<double>(centreY) + 0.5)};
  PX_Source source = PX_Source::of(colour);
  PX_WithCombineOp(mode, false, [&](auto op) {
    using Op = decltype(op);
    if (PX_IsCopyOp<Op>() && alpha < 0) return;
    if (antialias) return smooth(o, radius, PX_OpPen<Op>{source, alpha}, alpha, filled);
    PX_WithUniformPen(op, colour, source, alpha, [&](const auto& pen) {
      midpoint(o, static_cast<int64_t>(static_cast<double>(radius) + 0.5), pen, filled);
    });
  });
}

}  // namespace px_circle
