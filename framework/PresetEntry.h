// IPresetEntry: one preset slot of the store.
#pragma once

#include "framework/StateChunk.h"

struct IPresetEntry {
  static constexpr int kNameSize = 256;
  bool defined = false;
  char name[kNameSize] = {};
  StateChunk contents;
};
