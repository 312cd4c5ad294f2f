// COM order: the first word little-endian, the second as two little-endian
// halves, the last two words big-endian.
#include "ExpectedClassId.h"

const uint8_t kExpectedClassId[16] = {0x0D, 0xE7, 0xAE, 0xF2, 0xDE, 0x00, 0x4E, 0x4F,
                                      'Z',  't',  'v',  'A',  'k',  'u',  'h',  'j'};
