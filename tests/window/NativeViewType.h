// The window system a view of this build embeds in, or null when none.
#pragma once

const char* NativeViewType();
