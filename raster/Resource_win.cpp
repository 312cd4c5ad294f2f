#include <windows.h>

#include "raster/Resource.h"

bool PX_FindResource(PX_ModuleHandle module, int id, const char* type, const void** data, size_t* size) {
  HMODULE m = static_cast<HMODULE>(module);
  HRSRC found = FindResourceA(m, MAKEINTRESOURCEA(id & 0xFFFF), type);
  if (!found) return false;
  DWORD bytes = SizeofResource(m, found);
  HGLOBAL loaded = bytes ? LoadResource(m, found) : nullptr;
  const void* p = loaded ? LockResource(loaded) : nullptr;
  if (!p) return false;
  *data = p;
  *size = bytes;
  return true;
}
