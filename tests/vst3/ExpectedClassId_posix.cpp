// Every word big-endian, as the SDK lays class IDs out off Windows.
#include "ExpectedClassId.h"

const uint8_t kExpectedClassId[16] = {0xF2, 0xAE, 0xE7, 0x0D, 0x00, 0xDE, 0x4F, 0x4E,
                                      'Z',  't',  'v',  'A',  'k',  'u',  'h',  'j'};
