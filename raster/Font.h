// PX_IFont: draws UTF-8 text into any bitmap. PX_CachedFont is the
// implementation; this header also holds the font flags, the DrawText-style
// text flags and the platform's font factory.
#pragma once

#include <cstdint>

#include "raster/Bitmap.h"
#include "raster/Blit.h"
#include "raster/Pixel.h"

// A system font: an HFONT on Windows, a matched FreeType face elsewhere.
struct PX_NativeFont;
typedef PX_NativeFont* PX_FontHandle;

// Font flags, given to setFromFont.
enum : int {
  PX_FONT_VERTICAL = 0x1,       // glyphs turned a quarter turn, pen advances down
  PX_FONT_VERTICAL_UP = 0x2,    // with PX_FONT_VERTICAL: the other way, pen advances up
  PX_FONT_ASCII_ONLY = 0x4,     // render 0-127 at once, never anything else
  PX_FONT_BLUR = 0x10,
  PX_FONT_INVERT = 0x20,
  PX_FONT_NO_ANTIALIAS = 0x40,  // coverage above 130 is full, the rest empty
  PX_FONT_SHADOW = 0x80,
  PX_FONT_OUTLINE = 0x100,
  PX_FONT_OWNS_HANDLE = 0x200,
  PX_FONT_NATIVE = 0x400,       // let the system draw when it can
};

// Text flags, given to drawText; the low ones are the system's DrawText values.
enum : uint32_t {
  PX_TEXT_CENTER = 0x1,
  PX_TEXT_RIGHT = 0x2,
  PX_TEXT_VCENTER = 0x4,
  PX_TEXT_BOTTOM = 0x8,
  PX_TEXT_SINGLELINE = 0x20,
  PX_TEXT_NOCLIP = 0x100,
  PX_TEXT_CALCRECT = 0x400,
  PX_TEXT_FOREGROUND_ALPHA = 0x40000000,  // opacity x colour alpha; never native
  PX_TEXT_GLYPH_CACHE = 0x80000000,       // never native
  PX_TEXT_ALIGN_MASK = PX_TEXT_CENTER | PX_TEXT_RIGHT | PX_TEXT_VCENTER | PX_TEXT_BOTTOM,
};

// Background modes (the system's values).
enum : int { PX_BACKGROUND_TRANSPARENT = 1, PX_BACKGROUND_OPAQUE = 2 };

// The code under which drawText first offers its text to a bitmap's
// `extended`; the argument points at a PX_TextRequest.
constexpr int32_t PX_EXTENDED_DRAW_TEXT = 0x59555678;

class PX_IFont;
struct PX_TextRequest {
  PX_IFont* font;
  const char* text;
  int count;
  PX_Rect* rect;
  uint32_t flags;
};

class PX_IFont {
 public:
  virtual ~PX_IFont() = default;
  virtual void setFromFont(PX_FontHandle font, int fontFlags) = 0;
  // The setters answer the previous value.
  virtual PX_Pixel32 setTextColor(PX_Pixel32 colour) = 0;
  virtual PX_Pixel32 setBackgroundColor(PX_Pixel32 colour) = 0;
  virtual PX_Pixel32 setOutlineColor(PX_Pixel32 colour) = 0;
  virtual int setBackgroundMode(int mode) = 0;
  virtual void setCombine(uint32_t mode, float opacity) = 0;
  // count: bytes, or -1 for text up to its terminating zero. The rectangle
  // places the text; with PX_TEXT_CALCRECT it receives the text's extent
  // (and the bitmap may be null). Answers the text's height (width for
  // vertical fonts).
  virtual int drawText(PX_IBitmap* bitmap, const char* text, int count, PX_Rect* rect, uint32_t flags) = 0;
  virtual PX_Pixel32 textColor() = 0;
  virtual PX_FontHandle fontHandle() = 0;
  virtual int lineHeight() = 0;
};

// What the editor asks of a system font.
struct PX_FontDesc {
  const char* face = "Arial";
  int height = 14;       // cell height in pixels, as the system takes it
  int angle = 0;         // degrees
  bool bold = false;
  bool italic = false;
  int quality = 0;       // 0 default, 1 not antialiased, 2 antialiased, 3 ClearType
};

// Null when the system cannot make the font. The caller deletes it with
// PX_DeleteFont unless a font owning it (PX_FONT_OWNS_HANDLE) does.
PX_FontHandle PX_CreateFont(const PX_FontDesc& desc);
void PX_DeleteFont(PX_FontHandle font);
