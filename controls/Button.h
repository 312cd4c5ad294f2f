// IButton: a two-state toggle drawn from the first frame of its strip when
// on; while hovered an off button shows a faint preview of the on state.
#pragma once

#include "controls/Control.h"
#include "editor/FrameStrip.h"

class IButton : public IControl {
 public:
  IButton(IEffectBase* plug, int32_t paramIndex, int32_t x, int32_t y, const IFrameStrip& image, float hoverDim);

  void MouseDown(int32_t x, int32_t y, const IMouseState& mod) override;
  void MouseOver(int32_t x, int32_t y, const IMouseState& mod) override;
  void MouseOut() override;
  bool Draw(IEditor* editor) override;

  bool Hovered() const { return hover; }
  // The opacity the on image is drawn at now; 0 when nothing is drawn.
  float ImageOpacity() const;

 protected:
  IFrameStrip image;
  bool hover = false;
  float hoverDim;
};
