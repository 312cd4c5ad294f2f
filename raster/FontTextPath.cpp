#include "raster/FontTextPath.h"

#include "raster/Font.h"

namespace {

// Flags whose effect only the glyph cache can give.
constexpr int kGlyphOnlyFlags = PX_FONT_VERTICAL | PX_FONT_VERTICAL_UP | PX_FONT_ASCII_ONLY | PX_FONT_BLUR |
                                PX_FONT_INVERT | PX_FONT_NO_ANTIALIAS | PX_FONT_SHADOW | PX_FONT_OUTLINE;

// Glyphs this tall are never cached (and the cache is slow long before).
constexpr int kTallestCachedLine = 255;

}  // namespace

bool PX_DrawsNatively(const PX_TextPathQuery& q) {
  if (!q.systemCanDraw) return false;
  if (q.lineHeight > kTallestCachedLine) return true;
  return (q.fontFlags & PX_FONT_NATIVE) && q.hasHandle && !(q.textFlags & PX_TEXT_GLYPH_CACHE) && !q.underWine &&
         !(q.textFlags & PX_TEXT_FOREGROUND_ALPHA) && !(q.fontFlags & kGlyphOnlyFlags) &&
         (q.lineSpacing == 0 || q.singleLine);
}

PX_TextOrigin PX_AlignText(const PX_Rect& rect, int width, int height, uint32_t flags) {
  PX_TextOrigin o{rect.left, rect.top};
  if (flags & PX_TEXT_CENTER)
    o.x = rect.left + (rect.right - rect.left - width) / 2;
  else if (flags & PX_TEXT_RIGHT)
    o.x = rect.right - width;
  if (flags & PX_TEXT_VCENTER)
    o.y = rect.top + (rect.bottom - rect.top - height) / 2;
  else if (flags & PX_TEXT_BOTTOM)
    o.y = rect.bottom - height;
  return o;
}
