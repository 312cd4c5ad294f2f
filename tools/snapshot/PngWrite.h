// Writes a bitmap to a PNG file (8-bit RGB; the editor face is opaque).
#pragma once

#include <string>

class PX_IBitmap;

// False with *error set when the bitmap is empty or the file cannot be written.
bool WritePngFile(PX_IBitmap* bitmap, const std::string& path, std::string* error);
