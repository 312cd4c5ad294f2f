#include "vst3/WideText.h"

void WidenText(Steinberg::char16* dest, const char* src, int size) {
  if (!dest || size <= 0) return;
  int i = 0;
  for (; src && src[i] && i < size - 1; ++i)
    dest[i] = static_cast<Steinberg::char16>(static_cast<unsigned char>(src[i]));
  dest[i] = 0;
}

void NarrowText(char* dest, const Steinberg::char16* src, int size) {
  if (!dest || size <= 0) return;
  int i = 0;
  for (; src && src[i] && i < size - 1; ++i) dest[i] = static_cast<char>(src[i] & 0xFF);
  dest[i] = 0;
}
