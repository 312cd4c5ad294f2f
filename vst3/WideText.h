// 8-bit <-> 16-bit text at the host boundary: each character is widened to
// one unit, and each unit narrowed by keeping its low byte.
#pragma once

#include "pluginterfaces/base/ftypes.h"

// Writes at most size - 1 units and always terminates (size > 0).
void WidenText(Steinberg::char16* dest, const char* src, int size);
// Writes at most size - 1 characters and always terminates (size > 0).
void NarrowText(char* dest, const Steinberg::char16* src, int size);

// The same into an array, sized by the array itself.
template <int N>
void WidenText(Steinberg::char16 (&dest)[N], const char* src) {
  WidenText(dest, src, N);
}

// A 128-unit text buffer the host hands over as a bare pointer.
constexpr int kHostTextUnits = 128;
