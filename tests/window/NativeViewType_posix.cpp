#include "NativeViewType.h"

const char* NativeViewType() { return "X11EmbedWindowID"; }
