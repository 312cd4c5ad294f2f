// Walking UTF-8 text by code points, as the cached font reads it: codes up
// to 16 bits; anything beyond is a space; a byte that starts no valid
// sequence stands for itself (Latin-1).
#pragma once

#include <cstdint>

// Decodes the code point at text[*pos] (pos < count) and moves *pos past it.
uint32_t PX_NextCodePoint(const char* text, int count, int* pos);

// True when the text holds at least one valid multi-byte sequence.
bool PX_HasUtf8Sequence(const char* text, int count);
