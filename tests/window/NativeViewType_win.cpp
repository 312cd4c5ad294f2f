#include "NativeViewType.h"

const char* NativeViewType() { return "HWND"; }
