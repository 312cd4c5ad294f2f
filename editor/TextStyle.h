// ITextStyle: face, size, colour and layout of editor text.
//
// The cached font is made on first use and shared by every style with the
// same face, size, style and orientation (the font cache owns it).
#pragma once

#include <cstdint>

#include "editor/Argb.h"

class PX_CachedFont;

enum ITextAlign : int32_t { kAlignNear = 0, kAlignCentre = 1, kAlignFar = 2 };

struct ITextStyle {
  static constexpr int kFontNameSize = 32;

  char font[kFontNameSize] = "Arial";
  int32_t size = 14;
  IArgb colour{255, 0, 0, 0};
  int32_t style = 0;       // bit 0 bold, bit 1 italic
  int32_t align = kAlignCentre;
  int32_t orientation = 0; // degrees
  int32_t quality = 0;     // 0 default, 1 not antialiased, 2 antialiased, 3 ClearType
  PX_CachedFont* cachedFont = nullptr;
  double cachedScale = 1.0;  // the editor scale cachedFont was made for

  ITextStyle() = default;
  ITextStyle(const char* face, int32_t size, const IArgb& colour, int32_t style = 0,
             int32_t align = kAlignCentre, int32_t orientation = 0, int32_t quality = 0);
};
