#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "raster/Canvas.h"
#include "raster/Draw.h"
#include "raster/LineClip.h"
#include "raster/Pen.h"

namespace {

struct Line {
  PX_Canvas canvas;
  int64_t x1, y1, x2, y2;
};

int64_t sign(int64_t v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

template <class Pen>
void straight(const Line& l, const Pen& pen) {
  if (l.y1 == l.y2)
    l.canvas.span(l.y1, std::min(l.x1, l.x2), std::max(l.x1, l.x2), pen);
  else
    l.canvas.column(l.x1, std::min(l.y1, l.y2), std::max(l.y1, l.y2), pen);
}

template <class Pen>
void diagonal(const Line& l, const Pen& pen) {
  int64_t sx = sign(l.x2 - l.x1), sy = sign(l.y2 - l.y1), n = std::llabs(l.x2 - l.x1);
  for (int64_t i = 0; i <= n; ++i) l.canvas.point(l.x1 + i * sx, l.y1 + i * sy, pen);
}

// Opaque copy with antialiasing: three quarters on the line, a quarter on the
// pixels beside it towards the line's direction.
void diagonalSmooth(const Line& l, PX_Pixel32 colour) {
  int64_t sx = sign(l.x2 - l.x1), sy = sign(l.y2 - l.y1), n = std::llabs(l.x2 - l.x1);
  for (int64_t i = 0; i <= n; ++i) {
    int64_t x = l.x1 + i * sx, y = l.y1 + i * sy;
    l.canvas.point(x, y, PX_ThreeQuarterPen{colour});
    if (i == n) break;
    l.canvas.point(x + sx, y, PX_QuarterPen{colour});
    l.canvas.point(x, y + sy, PX_QuarterPen{colour});
  }
}

// Walks a general line from both ends towards the middle along its major axis.
struct Walker {
  bool xMajor;
  int64_t major1, minor1, major2, minor2, majorStep, minorStep, extent, slope;

  explicit Walker(const Line& l) {
    int64_t dx = l.x2 - l.x1, dy = l.y2 - l.y1;
    xMajor = std::llabs(dx) > std::llabs(dy);
    major1 = xMajor ? l.x1 : l.y1, minor1 = xMajor ? l.y1 : l.x1;
    major2 = xMajor ? l.x2 : l.y2, minor2 = xMajor ? l.y2 : l.x2;
    majorStep = sign(major2 - major1), minorStep = sign(minor2 - minor1);
    extent = std::llabs(major2 - major1);
    slope = static_cast<int64_t>(static_cast<double>(std::llabs(minor2 - minor1)) / extent * 65536.0);
  }
  int64_t x(int64_t major, int64_t minor) const { return xMajor ? major : minor; }
  int64_t y(int64_t major, int64_t minor) const { return xMajor ? minor : major; }
  void advance(int64_t& acc, int64_t threshold) {
    major1 += majorStep, major2 -= majorStep;
    acc += slope;
    if (acc >= threshold) minor1 += minorStep, minor2 -= minorStep, acc -= 0x10000;
  }
};

template <class Pen>
void aliased(const Line& l, const Pen& pen) {
  Walker w(l);
  int64_t acc = 0;
  for (int64_t k = 0; k < (w.extent + 1) / 2; ++k) {
    l.canvas.point(w.x(w.major1, w.minor1), w.y(w.major1, w.minor1), pen);
    l.canvas.point(w.x(w.major2, w.minor2), w.y(w.major2, w.minor2), pen);
    w.advance(acc, 0x8000);
  }
  if (w.extent % 2 == 0) l.canvas.point(w.x(w.major1, w.minor1), w.y(w.major1, w.minor1), pen);
}

template <class Pen>
void smooth(const Line& l, const Pen& pen, int alpha) {
  Walker w(l);
  const PX_Canvas& c = l.canvas;
  c.pointAt(w.x(w.major1, w.minor1), w.y(w.major1, w.minor1), pen, alpha);
  c.pointAt(w.x(w.major2, w.minor2), w.y(w.major2, w.minor2), pen, alpha);
  int64_t acc = 0;
  auto pair = [&](int64_t major, int64_t minor, int64_t towards) {
    int f = static_cast<int>(acc >> 8);
    c.pointAt(w.x(major, minor), w.y(major, minor), pen, (255 - f) * alpha >> 8);
    c.pointAt(w.x(major, minor + towards), w.y(major, minor + towards), pen, f * alpha >> 8);
  };
  for (int64_t k = 1; k <= (w.extent - 1) / 2; ++k) {
    w.advance(acc, 0x10000);
    pair(w.major1, w.minor1, w.minorStep);
    pair(w.major2, w.minor2, -w.minorStep);
  }
  if (w.extent % 2 == 0) {
    w.advance(acc, 0x10000);
    pair(w.major1, w.minor1, w.minorStep);
  }
}

void drawLine(const Line& l, PX_Pixel32 colour, float opacity, uint32_t mode, bool antialias) {
  bool copyKind = PX_CombineKind(mode) == PX_COMBINE_COPY;
  bool isStraight = l.x1 == l.x2 || l.y1 == l.y2;
  bool isDiagonal = std::llabs(l.x2 - l.x1) == std::llabs(l.y2 - l.y1);
  if (copyKind && isStraight) {
    if (opacity == 1.0f) return straight(l, PX_StorePen{colour});
    if (opacity == 0.5f) return straight(l, PX_HalfPen{colour});
    if (opacity == 0.25f) return straight(l, PX_QuarterPen{colour});
    if (opacity == 0.75f) return straight(l, PX_ThreeQuarterPen{colour});
  }
  if (copyKind && isDiagonal && opacity == 1.0f) {
    if (antialias) return diagonalSmooth(l, colour);
    return diagonal(l, PX_StorePen{colour});
  }
  int alpha = PX_WeightTrunc(opacity);
  if (alpha == 0) return;
  PX_Source source = PX_Source::of(colour);
  PX_WithCombineOp(mode, false, [&](auto op) {
    using Op = decltype(op);
    if (antialias && !isStraight && !isDiagonal) {
      if (PX_IsCopyOp<Op>() && alpha < 0) return;
      return smooth(l, PX_OpPen<Op>{source, alpha}, alpha);
    }
    PX_WithUniformPen(op, colour, source, alpha, [&](const auto& pen) {
      if (isStraight) return straight(l, pen);
      if (isDiagonal) return diagonal(l, pen);
      aliased(l, pen);
    });
  });
}

}  // namespace

void PX_LineInt(PX_IBitmap* bitmap, int x1, int y1, int x2, int y2, PX_Pixel32 colour, float opacity,
                uint32_t mode, bool antialias) {
  if (!bitmap) return;
  Line l{PX_Canvas::memoryOrder(bitmap), x1, y1, x2, y2};
  if (l.canvas.empty()) return;
  if (bitmap->isBottomUp()) l.y1 = l.canvas.height - 1 - l.y1, l.y2 = l.canvas.height - 1 - l.y2;
  if (!px_line::clip(l.x1, l.y1, l.x2, l.y2, l.canvas.width, l.canvas.height)) return;
  drawLine(l, colour, opacity, mode, antialias);
}
