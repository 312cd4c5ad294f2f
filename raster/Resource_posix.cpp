#include <cstring>

#include "raster/Resource.h"
#include "raster/ResourceTable.h"

namespace {
PX_ResourceTable* registered = nullptr;
}  // namespace

void PX_RegisterResourceTable(PX_ResourceTable* table) {
  table->next = registered;
  registered = table;
}

bool PX_FindResource(PX_ModuleHandle, int id, const char* type, const void** data, size_t* size) {
  int wanted = id & 0xFFFF;
  for (const PX_ResourceTable* t = registered; t; t = t->next) {
    for (int i = 0; i < t->count; ++i) {
      const PX_ResourceEntry& e = t->entries[i];
      if (e.id != wanted || std::strcmp(e.type, type) != 0) continue;
      *data = e.data;
      *size = e.size;
      return true;
    }
  }
  return false;
}
