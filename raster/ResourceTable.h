// Compiled-in resources for systems without resource sections. The build
// generates one table per program or library (ondivox_embed_resources) and
// registers it at start-up; PX_FindResource searches every registered table.
#pragma once

#include <cstddef>

struct PX_ResourceEntry {
  int id;
  const char* type;
  const unsigned char* data;
  size_t size;
};

struct PX_ResourceTable {
  const PX_ResourceEntry* entries;
  int count;
  PX_ResourceTable* next;  // set by registration
};

// Called from static initialisers only (before any lookup); the table must
// outlive every lookup.
void PX_RegisterResourceTable(PX_ResourceTable* table);
