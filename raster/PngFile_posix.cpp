#include "raster/PngFile.h"

std::FILE* px_png::openFile(const char* utf8Name) { return std::fopen(utf8Name, "rb"); }
