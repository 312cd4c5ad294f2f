// PX_CachedFont: a system font that draws UTF-8 text either through the
// system (natively) or from glyphs the system rendered once into an 8-bit
// coverage store, blended with the combine modes. Fonts are used from the
// editor's window thread only.
#pragma once

#include <cstdint>

#include "raster/Font.h"
#include "raster/FontGlyphCache.h"

struct PX_GlyphCoverage;

class PX_CachedFont : public PX_IFont {
 public:
  PX_CachedFont();
  ~PX_CachedFont() override;
  PX_CachedFont(const PX_CachedFont&) = delete;
  PX_CachedFont& operator=(const PX_CachedFont&) = delete;

  void setFromFont(PX_FontHandle font, int fontFlags) override;
  PX_Pixel32 setTextColor(PX_Pixel32 colour) override;
  PX_Pixel32 setBackgroundColor(PX_Pixel32 colour) override;
  PX_Pixel32 setOutlineColor(PX_Pixel32 colour) override;
  int setBackgroundMode(int mode) override;
  void setCombine(uint32_t mode, float opacity) override;
  int drawText(PX_IBitmap* bitmap, const char* text, int count, PX_Rect* rect, uint32_t flags) override;
  PX_Pixel32 textColor() override { return textColor_; }
  PX_FontHandle fontHandle() override { return font_; }
  int lineHeight() override { return lineHeight_; }

  // Draws one cached glyph with its pen at (x, y), clipped to clip. False
  // when nothing of it is visible or it cannot be rendered.
  virtual bool blitGlyph(PX_IBitmap* bitmap, uint32_t code, int x, int y, const PX_Rect& clip);

  // The glyph of a code, rendered on first use; null when it cannot be.
  const PX_GlyphEntry* glyph(uint32_t code);
  const uint8_t* glyphCoverage(const PX_GlyphEntry& entry) const { return cache_.coverage(entry); }
  // Glyphs rendered since the font was set.
  int renderedGlyphCount() const { return renderedGlyphs_; }
  // True when drawText would hand this text to the system.
  bool drawsNatively(const char* text, int count, uint32_t flags) const;

 private:
  struct Extent {
    int along = 0;   // in the direction the pen moves
    int across = 0;  // across the lines
  };

  bool vertical() const { return (fontFlags_ & PX_FONT_VERTICAL) != 0; }
  bool upwards() const { return vertical() && (fontFlags_ & PX_FONT_VERTICAL_UP); }
  bool renderGlyph(PX_GlyphEntry* entry, uint32_t code);
  void processCoverage(PX_GlyphCoverage* coverage) const;
  template <class Visit>
  Extent layout(const char* text, int count, bool singleLine, Visit&& visit);
  int measureCached(const char* text, int count, PX_Rect* rect, uint32_t flags);
  int drawCached(PX_IBitmap* bitmap, const char* text, int count, PX_Rect* rect, uint32_t flags);
  int drawNative(PX_IBitmap* bitmap, const char* text, int count, PX_Rect* rect, uint32_t flags);
  int drawNativeViaScratch(PX_IBitmap* bitmap, const char* text, int count, PX_Rect* rect, uint32_t flags);
  void releaseHandle();

  PX_Pixel32 textColor_ = 0;
  PX_Pixel32 backgroundColor_ = 0xFFFFFFFF;
  PX_Pixel32 outlineColor_ = 0xFFFFFFFF;
  int backgroundMode_ = PX_BACKGROUND_TRANSPARENT;
  uint32_t combineMode_ = 0;
  float opacity_ = 1.0f;
  int fontFlags_ = 0;
  int lineHeight_ = 0;
  int lineSpacing_ = 0;  // extra pixels between lines
  PX_GlyphCache cache_;
  PX_FontHandle font_ = nullptr;
  int renderedGlyphs_ = 0;
};
