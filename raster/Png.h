// PNG images into bitmaps. Each reader decodes into `target` (resized to the
// image) and returns it, or with no target returns a new PX_MemBitmap with
// 4-pixel row granule that the caller owns. Any failure returns null; a
// caller's target may have been resized even then.
#pragma once

#include <cstddef>

#include "raster/Bitmap.h"

// A module whose resources are searched: an HMODULE on Windows; ignored
// elsewhere (the build's compiled-in resource table serves every module).
typedef void* PX_ModuleHandle;

PX_IBitmap* PX_ReadPngMemory(const void* bytes, size_t count, PX_IBitmap* target);
PX_IBitmap* PX_ReadPngFile(const char* utf8Name, PX_IBitmap* target);
// Resources of type "PNG" with a numeric id (its low 16 bits).
PX_IBitmap* PX_ReadPngResource(PX_ModuleHandle module, int id, PX_IBitmap* target);

// The image-file reader record: readers of each file type, pushed at start-up
// onto the front of a process-wide list.
struct PX_ImageFileType {
  // With checkExtension set, a name whose extension the reader does not take
  // yields null without opening anything.
  PX_IBitmap* (*read)(const char* utf8Name, bool checkExtension, PX_IBitmap* target);
  const char* (*description)();
  PX_ImageFileType* next;
};

PX_ImageFileType* PX_ImageFileTypes();
