// Host identification: maps a host's product name to a host kind number.
#pragma once

#include <cstdint>

enum HostKindValue : int32_t {
  kHostUnknown = 0,
  kHostWavelab = 28,  // reads state differently
};

// Lower-cases name (at most 255 characters) and answers the kind of the first
// known host whose text occurs in it, or 0.
int32_t HostKindFromName(const char* name);
