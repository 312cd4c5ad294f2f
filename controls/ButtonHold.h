// IButtonHold: a momentary button, on while the left button is held.
#pragma once

#include "controls/Control.h"
#include "editor/FrameStrip.h"

class IButtonHold : public IControl {
 public:
  IButtonHold(IEffectBase* plug, int32_t paramIndex, int32_t x, int32_t y, const IFrameStrip& image);

  void MouseDown(int32_t x, int32_t y, const IMouseState& mod) override;
  void MouseUp(int32_t x, int32_t y, const IMouseState& mod) override;
  bool Draw(IEditor* editor) override;

 private:
  IFrameStrip image;
};
