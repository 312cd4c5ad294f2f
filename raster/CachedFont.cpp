#include "raster/CachedFont.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "raster/CachedFontShared.h"
#include "raster/Combine.h"
#include "raster/Draw.h"
#include "raster/FontCoverage.h"
#include "raster/FontSystem.h"
#include "raster/FontTextPath.h"
#include "raster/FontUtf8.h"
#include "raster/PixelView.h"

namespace {

constexpr int kTallestCachedGlyph = 1023;
constexpr int kThresholdFlags = PX_FONT_NO_ANTIALIAS | PX_FONT_SHADOW | PX_FONT_OUTLINE;
constexpr uint8_t kFullCoverage = 255;

PX_Rect intersect(const PX_Rect& a, const PX_Rect& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}
bool isEmpty(const PX_Rect& r) { return r.right <= r.left || r.bottom <= r.top; }

// A colour as the source of a glyph blend: full source alpha.
PX_Source opaqueSource(PX_Pixel32 colour) { return {PX_Blue(colour), PX_Green(colour), PX_Red(colour), 255}; }

// Stores the source word as it is: thresholded glyphs at full opacity.
struct StoreWordOp {
  static PX_Pixel32 blend(PX_Pixel32, const PX_Source& s, int) { return PX_Pack(s.a, s.r, s.g, s.b); }
};

// One visible part of a glyph: coverage rows and the destination box.
struct GlyphPatch {
  const uint8_t* coverage;  // first visible coverage byte
  int coverageStride;
  PX_Rect box;
};

// Lays the patch: weigh(byte, &source, &k) picks the source and weight of a
// covered pixel; uncovered pixels are left.
template <class Op, class Weigh>
void layPatch(const PX_PixelView& view, const GlyphPatch& patch, Weigh weigh) {
  for (int y = patch.box.top; y < patch.box.bottom; ++y) {
    const uint8_t* c = patch.coverage + static_cast<ptrdiff_t>(y - patch.box.top) * patch.coverageStride;
    PX_Pixel32* d = view.row(y) + patch.box.left;
    for (int x = patch.box.left; x < patch.box.right; ++x, ++c, ++d) {
      PX_Source source;
      int k;
      if (*c == 0) continue;
      weigh(*c, &source, &k);
      *d = Op::blend(*d, source, k);
    }
  }
}

}  // namespace

PX_CachedFont::PX_CachedFont() { px_font::countFontIn(); }

PX_CachedFont::~PX_CachedFont() {
  releaseHandle();
  px_font::countFontOut();
}

void PX_CachedFont::releaseHandle() {
  if ((fontFlags_ & PX_FONT_OWNS_HANDLE) && font_) PX_DeleteFont(font_);
  font_ = nullptr;
}

void PX_CachedFont::setFromFont(PX_FontHandle font, int fontFlags) {
  if (font != font_) releaseHandle();
  fontFlags_ = fontFlags;
  font_ = font;
  lineHeight_ = 0;
  if (font_) {
    PX_IBitmap* render = px_font::renderBitmap(256);
    lineHeight_ = px_font::lineHeight(font_, render);
  }
  cache_.clear();
  renderedGlyphs_ = 0;
  if (font_ && (fontFlags_ & PX_FONT_ASCII_ONLY))
    for (uint32_t code = 0; code < 128; ++code) glyph(code);
}

PX_Pixel32 PX_CachedFont::setTextColor(PX_Pixel32 colour) { return std::exchange(textColor_, colour); }
PX_Pixel32 PX_CachedFont::setBackgroundColor(PX_Pixel32 colour) { return std::exchange(backgroundColor_, colour); }
PX_Pixel32 PX_CachedFont::setOutlineColor(PX_Pixel32 colour) { return std::exchange(outlineColor_, colour); }
int PX_CachedFont::setBackgroundMode(int mode) { return std::exchange(backgroundMode_, mode); }

void PX_CachedFont::setCombine(uint32_t mode, float opacity) {
  combineMode_ = mode;
  opacity_ = opacity;
}

// ---- glyph rendering ----

const PX_GlyphEntry* PX_CachedFont::glyph(uint32_t code) {
  if (code >= 128 && (fontFlags_ & PX_FONT_ASCII_ONLY)) return nullptr;
  PX_GlyphEntry* entry = cache_.findOrAdd(code);
  if (!entry || entry->position == PX_GlyphCache::kRendersToNothing) return nullptr;
  if (entry->position == PX_GlyphCache::kNotRendered && !renderGlyph(entry, code)) return nullptr;
  return entry;
}

bool PX_CachedFont::renderGlyph(PX_GlyphEntry* entry, uint32_t code) {
  auto rendersToNothing = [entry] {
    *entry = {PX_GlyphCache::kRendersToNothing, 0, 0, 0, entry->code, 0};
    return false;
  };
  if (!font_ || lineHeight_ > kTallestCachedGlyph) return rendersToNothing();
  PX_IBitmap* render = px_font::renderBitmap(std::max(lineHeight_, 1) * 2 + 8);
  if (!render) return false;

  const int pad = lineHeight_ / 16;
  const int origin = pad + 2;
  px_font::CellSize size = px_font::measureGlyph(font_, render, code);
  if (size.advance < 1 || size.height < 1) return rendersToNothing();
  int cellWidth = std::min(size.advance + 2 * pad + 4, render->width());
  int cellHeight = std::min(size.height, render->height());
  PX_FillArea(render, 0, 0, cellWidth, cellHeight, 0, 1.0f, PX_COMBINE_COPY);
  px_font::drawGlyph(font_, render, code, origin);

  PX_PixelView cell = PX_PixelView::of(render);
  if (fontFlags_ & PX_FONT_BLUR) PX_BlurCell(cell.top, cell.step, cellWidth, cellHeight);
  // Shadows and outlines need a blank column beside the ink to land in.
  int margin = (fontFlags_ & (PX_FONT_SHADOW | PX_FONT_OUTLINE)) ? 1 : 0;
  PX_GlyphCoverage coverage;
  PX_TakeCoverage(cell.top, cell.step, cellWidth, cellHeight, (fontFlags_ & PX_FONT_INVERT) != 0, origin, margin,
                  &coverage);
  processCoverage(&coverage);

  int32_t position = cache_.store(coverage.bytes.data(), coverage.bytes.size());
  if (position == 0) return false;  // the store could not grow: try again next time
  *entry = {position, coverage.width, coverage.height, size.advance, entry->code, coverage.leftOffset};
  ++renderedGlyphs_;
  return true;
}

void PX_CachedFont::processCoverage(PX_GlyphCoverage* coverage) const {
  if (vertical()) PX_TurnCoverage(coverage, upwards());
  if (!(fontFlags_ & kThresholdFlags)) return;
  PX_ThresholdCoverage(coverage);
  if (fontFlags_ & PX_FONT_SHADOW)
    PX_AddShadow(coverage);
  else if (fontFlags_ & PX_FONT_OUTLINE)
    PX_AddOutline(coverage);
}

// ---- glyph drawing ----

bool PX_CachedFont::blitGlyph(PX_IBitmap* bitmap, uint32_t code, int x, int y, const PX_Rect& clip) {
  const PX_GlyphEntry* g = glyph(code);
  if (!g || g->width <= 0 || g->height <= 0) return false;
  // The glyph box: its pen point (leftOffset along the pen's way) lands on (x, y).
  int left = x, top = y;
  if (!vertical())
    left -= g->leftOffset;
  else if (!upwards())
    top -= g->leftOffset;
  else
    top -= g->height - g->leftOffset;

  PX_PixelView view = PX_PixelView::of(bitmap);
  if (view.empty()) return false;
  PX_Rect box = intersect(intersect({left, top, left + g->width, top + g->height}, clip), {0, 0, view.width, view.height});
  if (isEmpty(box)) return false;

  if (backgroundMode_ == PX_BACKGROUND_OPAQUE)
    PX_FillArea(bitmap, box.left, box.top, box.right - box.left, box.bottom - box.top, backgroundColor_, opacity_,
                combineMode_ & ~static_cast<uint32_t>(PX_COMBINE_SOURCE_ALPHA));

  const bool thresholded = (fontFlags_ & kThresholdFlags) != 0;
  int alpha = static_cast<int>(opacity_ * 256.0f);
  if (thresholded) alpha = std::min(alpha, 256);
  const bool copyKind = PX_CombineKind(combineMode_) == PX_COMBINE_COPY;
  if (alpha == 0 || (copyKind && alpha < 0)) return true;

  GlyphPatch patch{glyphCoverage(*g) + static_cast<ptrdiff_t>(box.top - top) * g->width + (box.left - left), g->width,
                   box};
  const PX_Source text = opaqueSource(textColor_);
  const PX_Source outline = opaqueSource(outlineColor_);
  const bool twoColour = (fontFlags_ & (PX_FONT_SHADOW | PX_FONT_OUTLINE)) != 0;

  if (thresholded && copyKind && alpha == 256) {
    // Full opacity: covered pixels take the colour words as they are.
    const PX_Source textWord = PX_Source::of(textColor_), outlineWord = PX_Source::of(outlineColor_);
    layPatch<StoreWordOp>(view, patch, [&](uint8_t b, PX_Source* s, int* k) {
      *s = (twoColour && b != kFullCoverage) ? outlineWord : textWord;
      *k = 256;
    });
    return true;
  }
  return PX_WithCombineOp(combineMode_, false, [&](auto op) {
    using Op = decltype(op);
    if (thresholded) {
      layPatch<Op>(view, patch, [&](uint8_t b, PX_Source* s, int* k) {
        *s = (twoColour && b != kFullCoverage) ? outline : text;
        *k = alpha;
      });
    } else {
      layPatch<Op>(view, patch, [&](uint8_t b, PX_Source* s, int* k) {
        *s = text;
        *k = alpha == 256 ? b + 1 : std::min(256, alpha * b / 256);
      });
    }
  });
}

// ---- text ----

template <class Visit>
PX_CachedFont::Extent PX_CachedFont::layout(const char* text, int count, bool singleLine, Visit&& visit) {
  Extent extent;
  int pen = 0, line = 0;
  const bool turned = vertical();
  for (int pos = 0; pos < count;) {
    uint32_t code = PX_NextCodePoint(text, count, &pos);
    if (code == '\r') continue;
    if (code == '\n') {
      if (!singleLine) {
        pen = 0;
        line += lineHeight_ + lineSpacing_;
        continue;
      }
      code = ' ';
    }
    const PX_GlyphEntry* g = glyph(code);
    if (!g) continue;  // cannot be rendered: skipped, the rest still draws
    int length = turned ? g->height : g->width;
    int thickness = turned ? g->width : g->height;
    extent.along = std::max({extent.along, pen + length - g->leftOffset, pen + g->advance});
    extent.across = std::max(extent.across, line + thickness);
    visit(code, pen, line);
    pen += g->advance;
  }
  return extent;
}

int PX_CachedFont::measureCached(const char* text, int count, PX_Rect* rect, uint32_t flags) {
  Extent e = layout(text, count, (flags & PX_TEXT_SINGLELINE) != 0, [](uint32_t, int, int) {});
  bool turned = vertical();
  rect->right = rect->left + (turned ? e.across : e.along);
  rect->bottom = rect->top + (turned ? e.along : e.across);
  return e.across;
}

int PX_CachedFont::drawCached(PX_IBitmap* bitmap, const char* text, int count, PX_Rect* rect, uint32_t flags) {
  float opacity = opacity_;
  if (flags & PX_TEXT_FOREGROUND_ALPHA) opacity *= static_cast<float>(PX_Alpha(textColor_)) * (1.0f / 255.0f);
  if (opacity == 0.0f) return 0;

  int x = rect->left, y = rect->top;
  if ((flags & PX_TEXT_ALIGN_MASK) || upwards()) {
    PX_Rect measured = *rect;
    measureCached(text, count, &measured, flags);
    int height = measured.bottom - measured.top;
    PX_TextOrigin at = PX_AlignText(*rect, measured.right - measured.left, height, flags);
    x = at.x;
    // Upward text starts at the bottom of its box.
    y = upwards() ? at.y + height : at.y;
  }

  PX_Rect whole = {0, 0, bitmap->width(), bitmap->height()};
  PX_Rect clip = (flags & PX_TEXT_NOCLIP) ? whole : intersect(*rect, whole);
  if (isEmpty(clip)) return 0;

  const float savedOpacity = opacity_;
  opacity_ = opacity;
  const bool turned = vertical(), up = upwards();
  Extent e = layout(text, count, (flags & PX_TEXT_SINGLELINE) != 0, [&](uint32_t code, int along, int across) {
    if (!turned)
      blitGlyph(bitmap, code, x + along, y + across, clip);
    else
      blitGlyph(bitmap, code, x + across, up ? y - along : y + along, clip);
  });
  opacity_ = savedOpacity;
  return e.across;
}

bool PX_CachedFont::drawsNatively(const char* text, int count, uint32_t flags) const {
  PX_TextPathQuery q;
  q.fontFlags = fontFlags_;
  q.hasHandle = font_ != nullptr;
  q.textFlags = flags;
  q.lineHeight = lineHeight_;
  q.lineSpacing = lineSpacing_;
  q.singleLine = (flags & PX_TEXT_SINGLELINE) || !std::memchr(text, '\n', static_cast<size_t>(count));
  q.systemCanDraw = px_font::systemCanDraw();
  // Asked only when it could change the answer: the test touches the registry.
  q.underWine = q.systemCanDraw && px_font::runningUnderWine();
  return PX_DrawsNatively(q);
}

int PX_CachedFont::drawText(PX_IBitmap* bitmap, const char* text, int count, PX_Rect* rect, uint32_t flags) {
  const bool measuring = (flags & PX_TEXT_CALCRECT) != 0;
  if ((!bitmap && !measuring) || !text || !rect) return 0;
  if (count < 0) count = static_cast<int>(std::strlen(text));
  if (bitmap) {
    PX_TextRequest request{this, text, count, rect, flags & ~static_cast<uint32_t>(PX_TEXT_GLYPH_CACHE)};
    if (intptr_t answer = bitmap->extended(PX_EXTENDED_DRAW_TEXT, reinterpret_cast<intptr_t>(&request)))
      return static_cast<int>(answer);
  }
  if (drawsNatively(text, count, flags))
    return drawNative(bitmap, text, count, rect, flags & ~static_cast<uint32_t>(PX_TEXT_GLYPH_CACHE));
  if (measuring) return measureCached(text, count, rect, flags);
  return drawCached(bitmap, text, count, rect, flags);
}
