// HostBlock: one block of audio as a host hands it over, in the host's own
// sample type (float or double), before the plug-in binds it.
#pragma once

#include <cstdint>

template <typename Sample>
struct HostBus {
  Sample** channels = nullptr;  // count channel buffers, each at least frames long
  int32_t count = 0;
  bool active = true;           // the host has this bus switched on
};

template <typename Sample>
struct HostBlock {
  const HostBus<Sample>* mainInput = nullptr;  // null: no input bus this block
  const HostBus<Sample>* auxInput = nullptr;   // the side-chain bus, when offered
  const HostBus<Sample>* outputs = nullptr;    // outputBusCount buses
  int32_t outputBusCount = 0;
  int32_t frames = 0;
};
