// Pens: one colour laid onto pixels in one way, chosen once per primitive so
// that its pixel loop carries no per-pixel mode tests. Every pen has
// plot(pixel) at its own weight; OpPen also plots at any other weight.
#pragma once

#include <type_traits>

#include "raster/Combine.h"

struct PX_StorePen {
  PX_Pixel32 c;
  void plot(PX_Pixel32& d) const { d = c; }
};
struct PX_HalfPen {
  PX_Pixel32 c;
  void plot(PX_Pixel32& d) const { d = PX_Half(c, d); }
};
struct PX_QuarterPen {
  PX_Pixel32 c;
  void plot(PX_Pixel32& d) const { d = PX_Quarter(c, d); }
};
struct PX_ThreeQuarterPen {
  PX_Pixel32 c;
  void plot(PX_Pixel32& d) const { d = PX_ThreeQuarters(c, d); }
};
// Each channel (d + c) >> 1.
struct PX_AveragePen {
  PX_Pixel32 c;
  void plot(PX_Pixel32& d) const {
    d = (((d & 0x00FF00FF) + (c & 0x00FF00FF)) >> 1 & 0x00FF00FF) |
        ((((d >> 8) & 0x00FF00FF) + ((c >> 8) & 0x00FF00FF)) >> 1 & 0x00FF00FF) << 8;
  }
};
template <class Op>
struct PX_OpPen {
  PX_Source s;
  int alpha;
  void plot(PX_Pixel32& d) const { d = Op::blend(d, s, alpha); }
  void plotAt(PX_Pixel32& d, int k) const { d = Op::blend(d, s, k); }
};

template <class Op>
constexpr bool PX_IsCopyOp() {
  return std::is_same<Op, PX_CopyOp>::value;
}

// The uniform pen of kind Op at weight alpha: the copy kind stores the word
// at full weight and averages at half, every other weight and kind uses the
// formula. The copy kind draws nothing (returns without calling f) for
// weights of 0 or less.
template <class Op, class F>
void PX_WithUniformPen(Op, PX_Pixel32 colour, const PX_Source& source, int alpha, F&& f) {
  if (PX_IsCopyOp<Op>()) {
    if (alpha <= 0) return;
    if (alpha >= 256) return f(PX_StorePen{colour});
    if (alpha == 128) return f(PX_AveragePen{colour});
  }
  f(PX_OpPen<Op>{source, alpha});
}
