// 8-bit <-> 16-bit text at the host boundary: each character is widened to
// one unit, and each unit narrowed by keeping its low byte.
#pragma once

#include "pluginterfaces/base/ftypes.h"

// Writes at most size - 1 units and always terminates (size > 0).
void WidenText(Steinberg::char16* dest, const char* src, int size);
// Writes at most size - 1 characters and always terminates (size > 0).
void NarrowText(char* dest, const Steinberg::char16* src, int size);
