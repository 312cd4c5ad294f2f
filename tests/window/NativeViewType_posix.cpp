#include "NativeViewType.h"

// No X11 view yet: hosts are offered no window system at all.
const char* NativeViewType() { return nullptr; }
