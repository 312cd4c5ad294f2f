// What the 200 % snapshot of the default program shows on this platform:
// text comes from the platform's own font renderer, so each has its own.
#pragma once

#include <cstdint>

extern const uint64_t kScaledSnapshotChecksum;
// The mean distance per channel allowed between the halved 200 % face and
// the 100 % face.
extern const double kHalvedFaceDistance;
