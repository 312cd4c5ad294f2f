// IKnobMulti: a knob that shows one frame of a horizontal frame strip for
// its value, with the parameter's display text and label under it.
#pragma once

#include "controls/Control.h"
#include "controls/KnobShared.h"
#include "editor/FrameStrip.h"
#include "editor/TextStyle.h"

class IKnobMulti : public IControl {
 public:
  IKnobMulti(IEffectBase* plug, int32_t paramIndex, int32_t centreX, int32_t centreY, const IFrameStrip& image,
             const ITextStyle& text, int32_t textOffset, int32_t rotationRange, double gearing,
             int32_t widthOverride, int32_t horizontal);

  void MouseDrag(int32_t x, int32_t y, int32_t dX, int32_t dY, const IMouseState& mod) override;
  bool Draw(IEditor* editor) override;

  // Where the current frame is drawn.
  IRect FrameRect() const;

 private:
  KnobFace face;
  int32_t rotationRange;  // kept; a frame knob does not rotate
};
