// The system's own text drawing, for fonts that allow it.
#include <algorithm>

#include "raster/CachedFont.h"
#include "raster/CachedFontShared.h"
#include "raster/FontSystem.h"
#include "raster/FontTextPath.h"

namespace {

constexpr uint32_t kNoPrefix = 0x800;  // ampersands are text, not mnemonics

}  // namespace

int PX_CachedFont::drawNative(PX_IBitmap* bitmap, const char* text, int count, PX_Rect* rect, uint32_t flags) {
  px_font::NativeText native;
  native.text = text;
  native.count = count;
  native.rect = rect;
  native.flags = flags | kNoPrefix;
  native.colour = textColor_;
  native.background = backgroundColor_;
  native.backgroundMode = backgroundMode_;

  if (bitmap && bitmap->deviceContext()) return px_font::drawNative(font_, bitmap->deviceContext(), native);
  if (flags & PX_TEXT_CALCRECT) {
    PX_IBitmap* scratch = px_font::scratchBitmap(4, 4);
    return scratch ? px_font::drawNative(font_, scratch->deviceContext(), native) : 0;
  }
  return drawNativeViaScratch(bitmap, text, count, rect, flags);
}

// A bitmap the system cannot reach: the text is drawn over a copy of the
// pixels under it in the scratch bitmap, and the copy is laid back.
int PX_CachedFont::drawNativeViaScratch(PX_IBitmap* bitmap, const char* text, int count, PX_Rect* rect,
                                         uint32_t flags) {
  PX_IBitmap* scratch = px_font::scratchBitmap(4, 4);
  if (!scratch) return 0;
  px_font::NativeText native;
  native.text = text;
  native.count = count;
  native.flags = ((flags & ~PX_TEXT_ALIGN_MASK) | PX_TEXT_CALCRECT | kNoPrefix);
  PX_Rect box = {0, 0, 0, 0};
  native.rect = &box;
  px_font::drawNative(font_, scratch->deviceContext(), native);

  int width = box.right - box.left, height = box.bottom - box.top;
  PX_TextOrigin at = PX_AlignText(*rect, width, height, flags);
  int x = at.x, y = at.y;
  box = {std::max(x, 0), std::max(y, 0), std::min(x + width, bitmap->width()), std::min(y + height, bitmap->height())};
  if (!(flags & PX_TEXT_NOCLIP))
    box = {std::max(box.left, rect->left), std::max(box.top, rect->top), std::min(box.right, rect->right),
           std::min(box.bottom, rect->bottom)};
  // Room for glyphs that overhang their start (italics).
  box.left -= std::min(box.left, lineHeight_ / 16 + 2);
  if (box.right <= box.left || box.bottom <= box.top) return 0;

  width = box.right - box.left;
  height = box.bottom - box.top;
  scratch = px_font::scratchBitmap(width, height);
  if (!scratch) return 0;
  PX_Rect under = {box.left, box.top, box.right, box.bottom};
  PX_CopyArea(scratch, bitmap, 0, 0, &under, 1.0f, PX_COMBINE_COPY);

  PX_Rect shifted = {rect->left - box.left, rect->top - box.top, rect->right - box.left, rect->bottom - box.top};
  native.rect = &shifted;
  native.flags = flags | kNoPrefix;
  native.colour = textColor_;
  native.background = backgroundColor_;
  native.backgroundMode = backgroundMode_;
  int result = px_font::drawNative(font_, scratch->deviceContext(), native);

  PX_Rect drawn = {0, 0, width, height};
  PX_CopyArea(bitmap, scratch, box.left, box.top, &drawn, opacity_, PX_COMBINE_COPY);
  return result;
}
