// ISwitchLbl: a multi-position switch. Each left click steps to the next
// frame of its strip, wrapping to the first; the parameter's display text
// is shown under the image.
#pragma once

#include "controls/Control.h"
#include "editor/FrameStrip.h"
#include "editor/TextStyle.h"

class ISwitchLbl : public IControl {
 public:
  ISwitchLbl(IEffectBase* plug, int32_t paramIndex, int32_t x, int32_t y, const IFrameStrip& image,
             const ITextStyle& text, int32_t textOffset, int32_t widthOverride, int32_t framesHorizontal,
             float hoverDim);

  void MouseDown(int32_t x, int32_t y, const IMouseState& mod) override;
  void MouseOver(int32_t x, int32_t y, const IMouseState& mod) override;
  void MouseOut() override;
  bool Draw(IEditor* editor) override;

  // The frame shown for the current value, from 1.
  int32_t Frame() const;
  // Where that frame is drawn.
  IRect FrameRect() const;

 private:
  ITextStyle text;
  IFrameStrip image;
  int32_t textOffset;
  int32_t widthOverride;
  bool verticalFrames;
  bool hover = false;
  float hoverDim;
};
