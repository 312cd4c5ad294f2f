// PX_Pixel32: the pixel word of every bitmap, 0xAARRGGBB with straight alpha.
// In memory (little-endian) the bytes are blue, green, red, alpha: the layout of
// a 32-bit top-down Windows DIB, so system bitmaps go to GDI unconverted.
#pragma once

#include <cstdint>

typedef uint32_t PX_Pixel32;

inline int PX_Blue(PX_Pixel32 p) { return static_cast<int>(p & 0xFF); }
inline int PX_Green(PX_Pixel32 p) { return static_cast<int>((p >> 8) & 0xFF); }
inline int PX_Red(PX_Pixel32 p) { return static_cast<int>((p >> 16) & 0xFF); }
inline int PX_Alpha(PX_Pixel32 p) { return static_cast<int>(p >> 24); }

// Packs four channels; each keeps its low 8 bits.
inline PX_Pixel32 PX_Pack(int a, int r, int g, int b) {
  return (static_cast<PX_Pixel32>(a & 0xFF) << 24) | (static_cast<PX_Pixel32>(r & 0xFF) << 16) |
         (static_cast<PX_Pixel32>(g & 0xFF) << 8) | static_cast<PX_Pixel32>(b & 0xFF);
}
