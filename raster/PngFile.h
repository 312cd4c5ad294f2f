// Opening a PNG file by its UTF-8 name (the system's wide-character open
// where there is one, the plain name as a fallback).
#pragma once

#include <cstdio>

namespace px_png {
std::FILE* openFile(const char* utf8Name);
}  // namespace px_png
