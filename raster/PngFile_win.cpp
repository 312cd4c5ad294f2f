#include <windows.h>

#include <cstdio>

#include "raster/PngFile.h"

std::FILE* px_png::openFile(const char* utf8Name) {
  wchar_t wide[2048];
  if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8Name, -1, wide, 2048) > 0) {
    if (std::FILE* f = _wfopen(wide, L"rb")) return f;
  }
  // Names that are not UTF-8 may still be valid in the ANSI code page.
  return std::fopen(utf8Name, "rb");
}
