// Without an X11 window of its own the editor cannot be embedded here, so no
// window system is offered to hosts.
#include "vst3/EditorView.h"

bool IEffectVST3View::IsNativeType(FIDString) { return false; }
