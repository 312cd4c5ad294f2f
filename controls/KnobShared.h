// What the two knobs share: their rectangle, their drag and their value text.
#pragma once

#include <cstdint>

#include "editor/FrameStrip.h"
#include "editor/MouseState.h"
#include "editor/Rect.h"
#include "editor/TextStyle.h"

class IControl;
class IEditor;

// The knob image centred on (centreX, centreY) with a text band of
// textBand pixels under it. widthOverride, when non-zero, sets the width.
IRect KnobRect(int32_t centreX, int32_t centreY, const IFrameStrip& image, int32_t widthOverride,
               int32_t textBand);

// The look and feel both knobs share.
struct KnobFace {
  int32_t horizontal;  // 0: follows vertical drags
  double gearing;      // drag sensitivity
  ITextStyle text;     // value text; centred at every draw
  IFrameStrip image;
  int32_t centreX, centreY;
  int32_t textOffset;  // gap between the image and the text

  // The value after a drag by (dX, dY) over a control of rect: the full
  // range takes gearing times its extent (ten times more with Shift or
  // Ctrl); up raises.
  double Dragged(double value, const IRect& rect, int32_t dX, int32_t dY, const IMouseState& mod) const;
};

// Draws the bound parameter's display text, centred in box, with its unit
// label appended when asked. Nothing for an empty text or a style of size 0.
void DrawValueText(IEditor* editor, const IControl& control, ITextStyle* style, bool appendLabel,
                   const IRect& box);
