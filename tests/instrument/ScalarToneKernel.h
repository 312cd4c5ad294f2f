// The tone generator frame by frame with the C library's sine and cosine:
// the definition the vector kernels are checked against.
#pragma once

#include "instrument/ToneKernel.h"

const ToneKernel& ScalarToneKernel();
