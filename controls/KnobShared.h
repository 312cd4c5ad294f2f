// What the two knobs share: their rectangle, their drag and their value text.
#pragma once

#include <cstdint>

#include "editor/FrameStrip.h"
#include "editor/MouseState.h"
#include "editor/Rect.h"

class IControl;
class IEditor;
struct ITextStyle;

// The knob image centred on (centreX, centreY) with a text band of
// textBand pixels under it. widthOverride, when non-zero, sets the width.
IRect KnobRect(int32_t centreX, int32_t centreY, const IFrameStrip& image, int32_t widthOverride,
               int32_t textBand);

// The value after a drag by (dX, dY): the full range takes gearing times
// the control's extent (ten times more with Shift or Ctrl); up raises.
double KnobDragValue(double value, const IRect& rect, bool horizontal, double gearing, int32_t dX, int32_t dY,
                     const IMouseState& mod);

// Draws the bound parameter's display text, centred in box, with its unit
// label appended when asked. Nothing for an empty text or a style of size 0.
void DrawValueText(IEditor* editor, const IControl& control, ITextStyle* style, bool appendLabel,
                   const IRect& box);
