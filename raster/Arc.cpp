#include <algorithm>
#include <cmath>
#include <utility>

#include "raster/CircleCore.h"
#include "raster/Draw.h"

namespace {

constexpr float kTwoPiF = 6.2831855f;
constexpr double kPi = 3.14159265358979323846;
constexpr double kQuarter = kPi / 2;

int64_t roundCoordinate(double v) {
  return static_cast<int64_t>(std::max(-1e15, std::min(1e15, v + 0.5)));
}

// Draws the part of the circle between angles a and b (within one quarter
// turn) as the circle clipped to the box of the piece's end points.
void drawPiece(const PX_Canvas& canvas, float centreX, float centreY, float radius, double a, double b,
               PX_Pixel32 colour, int alpha, uint32_t mode, bool antialias, bool filled) {
  double cx = centreX, cy = centreY, r = radius;
  int64_t x1 = roundCoordinate(cx + r * std::sin(a)), y1 = roundCoordinate(cy - r * std::cos(a));
  int64_t x2 = roundCoordinate(cx + r * std::sin(b)), y2 = roundCoordinate(cy - r * std::cos(b));
  int64_t left = std::min(x1, x2), right = std::max(x1, x2), top = std::min(y1, y2), bottom = std::max(y1, y2);
  if (roundCoordinate(cx) != right) ++right;
  if (roundCoordinate(cy) != bottom) ++bottom;
  PX_Canvas piece = canvas;
  piece.clipTo(left, top, right + 1, bottom + 1);
  px_circle::draw(piece, centreX, centreY, radius, colour, alpha, mode, antialias, filled);
}

void drawArc(PX_IBitmap* bitmap, float centreX, float centreY, float radius, float start, float end,
             PX_Pixel32 colour, float opacity, uint32_t mode, bool antialias, bool filled) {
  if (!bitmap || !std::isfinite(start) || !std::isfinite(end)) return;
  if (end - start >= kTwoPiF || start - end >= kTwoPiF) {
    if (filled) return PX_CircleFilled(bitmap, centreX, centreY, radius, colour, opacity, mode, antialias);
    return PX_CircleOutline(bitmap, centreX, centreY, radius, colour, opacity, mode, antialias);
  }
  PX_Canvas canvas = PX_Canvas::memoryOrder(bitmap);
  if (canvas.empty()) return;
  if (bitmap->isBottomUp()) {
    start = static_cast<float>(kPi) - start;
    end = static_cast<float>(kPi) - end;
    centreY = static_cast<float>(canvas.height - 1) - centreY;
  }
  if (end < start) std::swap(start, end);
  if (end >= kTwoPiF) {
    float wrapped = std::fmod(end, kTwoPiF);
    start -= end - wrapped;
    end = wrapped;
  } else if (start <= -kTwoPiF) {
    float wrapped = std::fmod(start, kTwoPiF);
    end -= start - wrapped;
    start = wrapped;
  }
  int alpha = PX_WeightTrunc(opacity);
  if (alpha == 0) return;
  double u = start + 2 * kPi, v = end + 2 * kPi;
  // Within a quarter turn the arc is monotonic, so a box holds exactly its piece.
  for (int pieces = 0; u < v && pieces < 8; ++pieces) {
    double next = std::min(v, u - std::fmod(u, kQuarter) + kQuarter);
    drawPiece(canvas, centreX, centreY, radius, u, next, colour, alpha, mode, antialias, filled);
    u = next;
  }
}

}  // namespace

void PX_ArcOutline(PX_IBitmap* bitmap, float centreX, float centreY, float radius, float startAngle,
                   float endAngle, PX_Pixel32 colour, float opacity, uint32_t mode, bool antialias) {
  drawArc(bitmap, centreX, centreY, radius, startAngle, endAngle, colour, opacity, mode, antialias, false);
}

void PX_ArcFilled(PX_IBitmap* bitmap, float centreX, float centreY, float radius, float startAngle,
                  float endAngle, PX_Pixel32 colour, float opacity, uint32_t mode, bool antialias) {
  drawArc(bitmap, centreX, centreY, radius, startAngle, endAngle, colour, opacity, mode, antialias, true);
}
