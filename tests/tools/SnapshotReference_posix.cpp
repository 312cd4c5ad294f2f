// Linux: FreeType renders the glyphs.
#include "SnapshotReference.h"

const uint64_t kScaledSnapshotChecksum = 0x25ce591a0d94452dull;
const double kHalvedFaceDistance = 3.0;
