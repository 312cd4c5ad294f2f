// The module's embedded resources, by numeric id and type name: Windows
// resources on Windows, the build's compiled-in resource tables elsewhere.
#pragma once

#include <cstddef>

#include "raster/Png.h"

// The bytes of resource `id` (its low 16 bits) of the given type, valid while
// the module is loaded. False when there is no such resource.
bool PX_FindResource(PX_ModuleHandle module, int id, const char* type, const void** data, size_t* size);
