// Windows: GDI renders the glyphs.
#include "SnapshotReference.h"

const uint64_t kScaledSnapshotChecksum = 0;
const double kHalvedFaceDistance = 4.0;
