// The class ID's 16 bytes as this platform's hosts read them.
#pragma once

#include <cstdint>

extern const uint8_t kExpectedClassId[16];
