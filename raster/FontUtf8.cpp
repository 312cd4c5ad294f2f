#include "raster/FontUtf8.h"

namespace {

bool isContinuation(const char* text, int count, int pos) {
  return pos < count && (static_cast<uint8_t>(text[pos]) & 0xC0) == 0x80;
}

// Number of continuation bytes a lead byte asks for; 0 for a single byte.
int trailCount(uint8_t lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return 1;
  if (lead >= 0xE0 && lead <= 0xEF) return 2;
  if (lead >= 0xF0 && lead <= 0xF4) return 3;
  return 0;
}

// The length of a valid sequence at pos, or 0.
int sequenceLength(const char* text, int count, int pos) {
  int trail = trailCount(static_cast<uint8_t>(text[pos]));
  if (trail == 0) return 0;
  for (int i = 1; i <= trail; ++i)
    if (!isContinuation(text, count, pos + i)) return 0;
  return trail + 1;
}

}  // namespace

uint32_t PX_NextCodePoint(const char* text, int count, int* pos) {
  const uint8_t* s = reinterpret_cast<const uint8_t*>(text) + *pos;
  int length = sequenceLength(text, count, *pos);
  *pos += length > 0 ? length : 1;
  switch (length) {
    case 2: return ((s[0] & 0x1Fu) << 6) | (s[1] & 0x3Fu);
    case 3: return ((s[0] & 0x0Fu) << 12) | ((s[1] & 0x3Fu) << 6) | (s[2] & 0x3Fu);
    case 4: return ' ';  // beyond 16 bits: no glyph of ours can hold it
    default: return s[0];
  }
}

bool PX_HasUtf8Sequence(const char* text, int count) {
  for (int i = 0; i < count; ++i)
    if (sequenceLength(text, count, i) > 0) return true;
  return false;
}
