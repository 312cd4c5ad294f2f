// Shared pieces of the font tests: a cached font on a real system font, and
// a look at where a drawing left ink.
#pragma once

#include <memory>
#include <ostream>

#include "raster/Blit.h"
#include "raster/CachedFont.h"
#include "raster/Draw.h"
#include "raster/MemBitmap.h"
#include "raster/PixelView.h"

inline bool operator==(const PX_Rect& a, const PX_Rect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline std::ostream& operator<<(std::ostream& os, const PX_Rect& r) {
  return os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

// A cached font that owns its system font.
inline std::unique_ptr<PX_CachedFont> MakeFont(const char* face, int height, int flags = 0, int quality = 0) {
  PX_FontDesc desc;
  desc.face = face;
  desc.height = height;
  desc.quality = quality;
  PX_FontHandle handle = PX_CreateFont(desc);
  if (!handle) return nullptr;
  auto font = std::make_unique<PX_CachedFont>();
  font->setFromFont(handle, flags | PX_FONT_OWNS_HANDLE);
  return font;
}

// A memory bitmap filled with one colour.
inline std::unique_ptr<PX_MemBitmap> MakeCanvas(int width, int height, PX_Pixel32 fill) {
  auto bitmap = std::make_unique<PX_MemBitmap>(width, height, 4);
  PX_FillArea(bitmap.get(), 0, 0, width, height, fill, 1.0f, PX_COMBINE_COPY);
  return bitmap;
}

inline PX_Pixel32 PixelAt(PX_IBitmap* bitmap, int x, int y) { return PX_PixelView::of(bitmap).row(y)[x]; }

// The smallest rectangle holding every pixel that differs from `fill`
// (right and bottom exclusive); all zero when nothing changed.
inline PX_Rect InkBounds(PX_IBitmap* bitmap, PX_Pixel32 fill) {
  PX_Rect r = {0, 0, 0, 0};
  bool any = false;
  for (int y = 0; y < bitmap->height(); ++y)
    for (int x = 0; x < bitmap->width(); ++x) {
      if (PixelAt(bitmap, x, y) == fill) continue;
      if (!any) r = {x, y, x + 1, y + 1};
      any = true;
      if (x < r.left) r.left = x;
      if (x + 1 > r.right) r.right = x + 1;
      if (y < r.top) r.top = y;
      if (y + 1 > r.bottom) r.bottom = y + 1;
    }
  return r;
}

inline bool SamePixels(PX_IBitmap* a, PX_IBitmap* b) {
  if (a->width() != b->width() || a->height() != b->height()) return false;
  for (int y = 0; y < a->height(); ++y)
    for (int x = 0; x < a->width(); ++x)
      if (PixelAt(a, x, y) != PixelAt(b, x, y)) return false;
  return true;
}

// Extent of a text as the font measures it (nothing drawn).
inline PX_Rect Measure(PX_CachedFont* font, const char* text, uint32_t flags = 0) {
  PX_Rect r = {0, 0, 0, 0};
  font->drawText(nullptr, text, -1, &r, flags | PX_TEXT_CALCRECT);
  return r;
}
