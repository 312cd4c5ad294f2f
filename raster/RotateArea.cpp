#include <emmintrin.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <type_traits>

#include "raster/Blit.h"
#include "raster/BlitReference.h"
#include "raster/OverKernel.h"
#include "raster/PixelView.h"

namespace {

// Fixed point 16.16 in 64 bits. Starts are limited to +-2^30 pixels and
// steps to +-2^16 pixels, far beyond any bitmap, so that a walk over the
// largest bitmap (under 2^29 pixels) cannot overflow.
constexpr double kStartLimit = 1073741824.0;
constexpr double kStepLimit = 65536.0;

int64_t toFixed(double v, double limit) {
  double f = std::max(-limit, std::min(limit, v)) * 65536.0;
  return static_cast<int64_t>(f < 0 ? f - 0.5 : f + 0.5);
}

int roundHalfAway(double v) {
  v = std::max(-2147483648.0, std::min(2147483647.0, v));
  return static_cast<int>(v < 0 ? v - 0.5 : v + 0.5);
}

// The source window that samples are taken from.
struct Window {
  const PX_Pixel32* top;
  ptrdiff_t step;
  int width, height;
  const PX_Pixel32* at(int x, int y) const { return top + y * step + x; }
};

struct Nearest {
  static PX_Source sample(const Window& w, int x, int y, int, int) { return PX_Source::of(*w.at(x, y)); }
  static PX_Pixel32 pixel(const Window& w, int x, int y, int, int) { return *w.at(x, y); }
  static PX_Pixel32 overPixel(const Window& w, int x, int y, int fx, int fy) { return pixel(w, x, y, fx, fy); }
};

// A sample's channels (each 0 ... 255, a mix of pixels) as one pixel word.
inline PX_Pixel32 packed(const PX_Source& c) { return PX_Pack(c.a, c.r, c.g, c.b); }

struct Bilinear {
  static PX_Source mix2(PX_Pixel32 a, PX_Pixel32 b, int f) {
    int g = 65536 - f;
    return {(g * PX_Blue(a) + f * PX_Blue(b)) >> 16, (g * PX_Green(a) + f * PX_Green(b)) >> 16,
            (g * PX_Red(a) + f * PX_Red(b)) >> 16, (g * PX_Alpha(a) + f * PX_Alpha(b)) >> 16};
  }
  static PX_Source sample(const Window& w, int x, int y, int fx, int fy) {
    const PX_Pixel32* p = w.at(x, y);
    bool lastColumn = x + 1 >= w.width, lastRow = y + 1 >= w.height;
    if (lastColumn && lastRow) return PX_Source::of(*p);
    if (lastColumn) return mix2(p[0], p[w.step], fy);
    if (lastRow) return mix2(p[0], p[1], fx);
    int w11 = static_cast<int>((static_cast<int64_t>(fx) * fy) >> 16);
    int w10 = fx - w11, w01 = fy - w11, w00 = 65536 - fx - fy + w11;
    PX_Pixel32 p00 = p[0], p10 = p[1], p01 = p[w.step], p11 = p[w.step + 1];
    auto channel = [&](int (*c)(PX_Pixel32)) {
      return static_cast<int>((static_cast<int64_t>(w00) * c(p00) + static_cast<int64_t>(w10) * c(p10) +
                               static_cast<int64_t>(w01) * c(p01) + static_cast<int64_t>(w11) * c(p11)) >>
                              16);
    };
    return {channel(PX_Blue), channel(PX_Green), channel(PX_Red), channel(PX_Alpha)};
  }
  static PX_Pixel32 pixel(const Window& w, int x, int y, int fx, int fy) { return packed(sample(w, x, y, fx, fy)); }
  static PX_Pixel32 overPixel(const Window& w, int x, int y, int fx, int fy) { return pixel(w, x, y, fx, fy); }
};

// The same samples as Bilinear's, four channels at once (SSE2 is every
// x86-64 processor's). Exact: every product and partial sum is an integer
// below 2^24, which single precision holds without rounding, and the scale
// by 2^-16 and the truncation are the shift's floor.
struct BilinearVector {
  static PX_Source sample(const Window& w, int x, int y, int fx, int fy) { return PX_Source::of(pixel(w, x, y, fx, fy)); }
  static PX_Pixel32 pixel(const Window& w, int x, int y, int fx, int fy) {
    if (x + 1 >= w.width || y + 1 >= w.height) return Bilinear::pixel(w, x, y, fx, fy);
    const PX_Pixel32* p = w.at(x, y);
    const int w11 = static_cast<int>((static_cast<int64_t>(fx) * fy) >> 16);
    const int w10 = fx - w11, w01 = fy - w11, w00 = 65536 - fx - fy + w11;
    const __m128i zero = _mm_setzero_si128();
    const __m128i top = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)), zero);
    const __m128i bottom = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p + w.step)), zero);
    auto weighted = [](__m128i pixel, int weight) {
      return _mm_mul_ps(_mm_cvtepi32_ps(pixel), _mm_set1_ps(static_cast<float>(weight)));
    };
    const __m128 sum = _mm_add_ps(_mm_add_ps(weighted(_mm_unpacklo_epi16(top, zero), w00),
                                             weighted(_mm_unpackhi_epi16(top, zero), w10)),
                                  _mm_add_ps(weighted(_mm_unpacklo_epi16(bottom, zero), w01),
                                             weighted(_mm_unpackhi_epi16(bottom, zero), w11)));
    const __m128i c = _mm_cvttps_epi32(_mm_mul_ps(sum, _mm_set1_ps(1.0f / 65536.0f)));
    const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(c, zero), zero);
    return static_cast<PX_Pixel32>(_mm_cvtsi128_si32(bytes));
  }
  // For "over", where a sample of alpha 0 leaves the destination whatever its
  // colour: four clear pixels need no mixing.
  static PX_Pixel32 overPixel(const Window& w, int x, int y, int fx, int fy) {
    if (x + 1 < w.width && y + 1 < w.height) {
      const PX_Pixel32* p = w.at(x, y);
      if (((p[0] | p[1] | p[w.step] | p[w.step + 1]) >> 24) == 0) return 0;
    }
    return pixel(w, x, y, fx, fy);
  }
};

struct Walk {
  PX_PixelView dst;
  int dx, dy, w, h;
  int64_t s0, t0, colS, colT, rowS, rowT;
};

// "Over" samples a run of a row into a buffer, then lays the buffer over
// the row with the vector kernel; samples outside the source are clear.
template <class Filter>
void walkOver(const Walk& job, const Window& win, int alpha, const PX_OverKernel& kernel) {
  constexpr int kRun = 128;
  PX_Pixel32 run[kRun];
  for (int j = 0; j < job.h; ++j) {
    int64_t s = job.s0 + j * job.rowS, t = job.t0 + j * job.rowT;
    PX_Pixel32* d = job.dst.row(job.dy + j) + job.dx;
    for (int from = 0; from < job.w; from += kRun) {
      const int n = std::min(kRun, job.w - from);
      for (int i = 0; i < n; ++i, s += job.colS, t += job.colT) {
        const int64_t x = s >> 16, y = t >> 16;
        const bool inside = s >= 0 && t >= 0 && x < win.width && y < win.height;
        run[i] = inside ? Filter::overPixel(win, static_cast<int>(x), static_cast<int>(y), static_cast<int>(s & 0xFFFF),
                                        static_cast<int>(t & 0xFFFF))
                        : 0;
      }
      kernel.row(d + from, run, n, alpha);
    }
  }
}

template <class Filter, class Op>
void walk(const Walk& job, const Window& win, int alpha, const PX_OverKernel& over) {
  if (std::is_same<Op, PX_CopySourceAlphaOp>::value) return walkOver<Filter>(job, win, alpha, over);
  for (int j = 0; j < job.h; ++j) {
    int64_t s = job.s0 + j * job.rowS, t = job.t0 + j * job.rowT;
    PX_Pixel32* d = job.dst.row(job.dy + j) + job.dx;
    for (int i = 0; i < job.w; ++i, s += job.colS, t += job.colT) {
      if (s < 0 || t < 0) continue;
      int64_t x = s >> 16, y = t >> 16;
      if (x >= win.width || y >= win.height) continue;
      PX_Source c = Filter::sample(win, static_cast<int>(x), static_cast<int>(y), static_cast<int>(s & 0xFFFF),
                                   static_cast<int>(t & 0xFFFF));
      d[i] = Op::blend(d[i], c, alpha);
    }
  }
}

template <class Filter>
void walkWith(uint32_t mode, const Walk& job, const Window& win, int alpha, const PX_OverKernel& over) {
  PX_WithCombineOp(mode, true, [&](auto op) {
    using Op = decltype(op);
    bool copyKind = std::is_same<Op, PX_CopyOp>::value || std::is_same<Op, PX_CopySourceAlphaOp>::value;
    if (copyKind && alpha <= 0) return;
    walk<Filter, Op>(job, win, alpha, over);
  });
}

template <class BilinearFilter>
void rotateArea(const PX_OverKernel& over, PX_IBitmap* destination, PX_IBitmap* source, int x, int y, int width,
                int height, float sourceX, float sourceY, float sourceWidth, float sourceHeight, float angle,
                bool clipToSource, float opacity, uint32_t mode, float centreX, float centreY) {
  if (!destination || !source || width == 0 || height == 0) return;

  double wl = 0, wt = 0, wr = source->width(), wb = source->height();
  double sx = sourceX, sy = sourceY, sw = sourceWidth, sh = sourceHeight;
  if (clipToSource) {
    if (sx > 0) wl = sx;
    if (sy > 0) wt = sy;
    if (sx + sw < wr) wr = sx + sw;
    if (sy + sh < wb) wb = sy + sh;
  }
  int64_t dx = x, dy = y, dw = width, dh = height;
  if (dw < 0) sx += sw, sw = -sw, dw = -dw, dx -= dw;
  if (dh < 0) sy += sh, sh = -sh, dh = -dh, dy -= dh;

  double c = std::cos(static_cast<double>(angle)), n = std::sin(static_cast<double>(angle));
  double scaleX = sw / static_cast<double>(dw), scaleY = sh / static_cast<double>(dh);
  double colS = scaleX * c, colT = -scaleY * n, rowS = scaleX * n, rowT = scaleY * c;
  double s0 = sx - ((dh * scaleX * n + dw * scaleX * c - sw) * 0.5 - centreX);
  double t0 = sy - ((dw * (-scaleY * n) + dh * scaleY * c - sh) * 0.5 - centreY);
  if (!std::isfinite(s0) || !std::isfinite(t0) || !std::isfinite(colS) || !std::isfinite(colT) ||
      !std::isfinite(rowS) || !std::isfinite(rowT) || !std::isfinite(wr) || !std::isfinite(wb))
    return;

  if (dx < 0) s0 -= dx * colS, t0 -= dx * colT, dw += dx, dx = 0;
  if (dy < 0) s0 -= dy * rowS, t0 -= dy * rowT, dh += dy, dy = 0;
  int64_t destW = destination->width(), destH = destination->height();
  if (dw <= 0 || dh <= 0 || dx >= destW || dy >= destH) return;
  dw = std::min(dw, destW - dx);
  dh = std::min(dh, destH - dy);

  PX_PixelView src = PX_PixelView::of(source), dst = PX_PixelView::of(destination);
  if (src.empty() || dst.empty()) return;
  int left = roundHalfAway(wl), top = roundHalfAway(wt), right = roundHalfAway(wr), bottom = roundHalfAway(wb);
  left = std::max(left, 0), top = std::max(top, 0);
  right = std::min(right, src.width), bottom = std::min(bottom, src.height);
  if (right <= left || bottom <= top) return;
  int alpha = PX_WeightRound(opacity);
  if (alpha == 0) return;

  Window win{src.row(top) + left, src.step, right - left, bottom - top};
  Walk job{dst,
           static_cast<int>(dx),
           static_cast<int>(dy),
           static_cast<int>(dw),
           static_cast<int>(dh),
           toFixed(s0 - left, kStartLimit),
           toFixed(t0 - top, kStartLimit),
           toFixed(colS, kStepLimit),
           toFixed(colT, kStepLimit),
           toFixed(rowS, kStepLimit),
           toFixed(rowT, kStepLimit)};
  if ((mode & 0xFF00) == PX_COMBINE_BILINEAR)
    walkWith<BilinearFilter>(mode, job, win, alpha, over);
  else
    walkWith<Nearest>(mode, job, win, alpha, over);
}

}  // namespace

void PX_RotateArea(PX_IBitmap* destination, PX_IBitmap* source, int x, int y, int width, int height,
                   float sourceX, float sourceY, float sourceWidth, float sourceHeight, float angle,
                   bool clipToSource, float opacity, uint32_t mode, float centreX, float centreY) {
  rotateArea<BilinearVector>(PX_BestOver(), destination, source, x, y, width, height, sourceX, sourceY, sourceWidth, sourceHeight,
                             angle, clipToSource, opacity, mode, centreX, centreY);
}

void PX_RotateAreaReference(PX_IBitmap* destination, PX_IBitmap* source, int x, int y, int width, int height,
                            float sourceX, float sourceY, float sourceWidth, float sourceHeight, float angle,
                            bool clipToSource, float opacity, uint32_t mode, float centreX, float centreY) {
  rotateArea<Bilinear>(PX_ScalarOver(), destination, source, x, y, width, height, sourceX, sourceY, sourceWidth, sourceHeight, angle,
                       clipToSource, opacity, mode, centreX, centreY);
}
