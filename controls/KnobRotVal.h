// IKnobRotVal: a knob drawn as one image rotated about its centre, with the
// parameter's display text under it. Follows vertical (or horizontal)
// drags, snaps to detents on release, dims while the pointer is over it.
#pragma once

#include "controls/Control.h"
#include "controls/KnobShared.h"
#include "editor/FrameStrip.h"
#include "editor/TextStyle.h"

class IKnobRotVal : public IControl {
 public:
  IKnobRotVal(IEffectBase* plug, int32_t paramIndex, int32_t centreX, int32_t centreY, const IFrameStrip& image,
              const ITextStyle& text, int32_t textOffset, int32_t rotationRange, double gearing,
              int32_t widthOverride, int32_t horizontal, float hoverDim, bool appendLabel, int32_t positions);

  void MouseUp(int32_t x, int32_t y, const IMouseState& mod) override;
  void MouseDrag(int32_t x, int32_t y, int32_t dX, int32_t dY, const IMouseState& mod) override;
  void MouseOver(int32_t x, int32_t y, const IMouseState& mod) override;
  void MouseOut() override;
  bool Draw(IEditor* editor) override;

  bool Hovered() const { return hover; }
  int32_t Steps() const { return steps; }
  // The rotation for the current value, in radians (0 as drawn in the image).
  float Angle() const;
  // The source offset that softens the image towards the ends of the sweep.
  float SourceOffset() const;
  const IBlend& DrawBlend() const { return drawBlend; }

 private:
  KnobFace face;
  int32_t rotationRange;
  int16_t steps;
  float hoverDim;
  bool appendLabel;
  bool hover = false;
  IBlend drawBlend;
};
