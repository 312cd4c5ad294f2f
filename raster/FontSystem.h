// The platform's side of text: rendering one glyph into the white-on-black
// render cell, font metrics, and the system's own text drawing. Windows uses
// GDI; elsewhere FreeType renders the cell and there is no system drawing.
// Everything after the cell is shared code.
#pragma once

#include <cstdint>
#include <string>

#include "raster/Bitmap.h"
#include "raster/Blit.h"
#include "raster/Font.h"

namespace px_font {

// False where the platform cannot draw text into a bitmap by itself.
bool systemCanDraw();
// True when the program runs under Wine; asked once per process.
bool runningUnderWine();

// The family name of the face the system chose for a font.
std::string familyName(PX_FontHandle font);

// Readies a freshly (re)sized render bitmap: white text on opaque black.
void prepareRenderBitmap(PX_IBitmap* render);
// The font's line (cell) height in pixels; 0 when unknown.
int lineHeight(PX_FontHandle font, PX_IBitmap* render);

struct CellSize {
  int advance = 0;
  int height = 0;
};
// The advance and height of one character drawn on its own.
CellSize measureGlyph(PX_FontHandle font, PX_IBitmap* render, uint32_t code);
// Draws one character white on black into the render bitmap with its pen at
// (x, 0), not clipped to any cell.
void drawGlyph(PX_FontHandle font, PX_IBitmap* render, uint32_t code, int x);

// The system's text drawing into a device context. With PX_TEXT_CALCRECT the
// rectangle receives the extent and nothing is drawn. Answers the text's height.
struct NativeText {
  const char* text = nullptr;
  int count = 0;
  PX_Rect* rect = nullptr;
  uint32_t flags = 0;
  PX_Pixel32 colour = 0;
  PX_Pixel32 background = 0;
  int backgroundMode = PX_BACKGROUND_TRANSPARENT;
};
int drawNative(PX_FontHandle font, PX_DeviceContext context, const NativeText& text);

}  // namespace px_font
