#include <algorithm>
#include <cstdint>

#include "raster/Draw.h"
#include "raster/Pen.h"
#include "raster/PixelView.h"

void PX_BlendCoverage(PX_IBitmap* bitmap, int x, int y, PX_Pixel32 colour, const uint8_t* mask, int maskWidth,
                      int maskStride, int maskHeight, float opacity, uint32_t mode) {
  if (!bitmap || !mask || maskWidth <= 0 || maskHeight <= 0 || maskStride < maskWidth) return;
  int64_t left = x, top = y;
  if (left + maskWidth <= 0 || top + maskHeight <= 0) return;
  int64_t skipX = left < 0 ? -left : 0, skipY = top < 0 ? -top : 0;
  left += skipX;
  top += skipY;
  PX_PixelView view = PX_PixelView::of(bitmap);
  if (view.empty() || left >= view.width || top >= view.height) return;
  int w = static_cast<int>(std::min<int64_t>(maskWidth - skipX, view.width - left));
  int h = static_cast<int>(std::min<int64_t>(maskHeight - skipY, view.height - top));
  int alpha = PX_WeightTrunc(opacity);
  if (alpha == 0 || (PX_CombineKind(mode) == PX_COMBINE_COPY && alpha < 0)) return;

  PX_Source source = PX_Source::of(colour);
  PX_WithCombineOp(mode, false, [&](auto op) {
    using Op = decltype(op);
    for (int j = 0; j < h; ++j) {
      const uint8_t* m = mask + (skipY + j) * static_cast<int64_t>(maskStride) + skipX;
      PX_Pixel32* d = view.row(static_cast<int>(top) + j) + left;
      for (int i = 0; i < w; ++i)
        if (m[i]) d[i] = Op::blend(d[i], source, alpha * m[i] / 256);
    }
  });
}
