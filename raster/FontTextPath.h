// Which way a text goes (drawn by the system, or laid from the glyph cache),
// and where aligned text starts.
#pragma once

#include <cstdint>

#include "raster/Blit.h"

struct PX_TextPathQuery {
  int fontFlags = 0;
  bool hasHandle = false;
  uint32_t textFlags = 0;  // including PX_TEXT_GLYPH_CACHE when the caller forced the cache
  int lineHeight = 0;
  int lineSpacing = 0;
  bool singleLine = true;  // the text holds no line feed, or PX_TEXT_SINGLELINE is set
  bool underWine = false;
  bool systemCanDraw = true;  // false where the platform has no native text at all
};

// True for the system's own drawing.
bool PX_DrawsNatively(const PX_TextPathQuery& q);

// The top-left corner of a width x height text box placed in rect by the
// alignment flags (left and top when none).
struct PX_TextOrigin {
  int x, y;
};
PX_TextOrigin PX_AlignText(const PX_Rect& rect, int width, int height, uint32_t flags);
