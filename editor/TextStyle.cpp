#include "editor/TextStyle.h"

#include "framework/ParamEntry.h"

ITextStyle::ITextStyle(const char* face, int32_t size, const IArgb& colour, int32_t style, int32_t align,
                       int32_t orientation, int32_t quality)
    : size(size), colour(colour), style(style), align(align), orientation(orientation), quality(quality) {
  CopyText(font, face ? face : "", kFontNameSize);
}
