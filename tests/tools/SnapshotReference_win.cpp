// Windows: GDI renders the glyphs.
#include "SnapshotReference.h"

const uint64_t kScaledSnapshotChecksum = 0x7bd222294a5922d0ull;
const double kHalvedFaceDistance = 3.0;
