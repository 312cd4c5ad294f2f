// The process-wide font cache: one cached font per face, size, style and
// orientation, shared by every text style and every editor instance.
#pragma once

#include <cstdint>

#include "editor/EditorScale.h"

class PX_CachedFont;
struct ITextStyle;

namespace FontCache {

// The font for a style (the style's quality does not pick a font: styles
// differing only in quality share the first one made). Null when the system
// cannot make the font.
// At a scale, the font is the style's size times the factor, rounded.
PX_CachedFont* ForStyle(const ITextStyle& style, const IEditorScale& scale = IEditorScale());

}  // namespace FontCache
