// IDropDownChild: the grid of choices an IDropDown shows; a left click on a
// cell sets the drop-down's value and hides the grid.
#pragma once

#include "controls/Control.h"
#include "editor/FrameStrip.h"

class IDropDownChild : public IControl {
 public:
  IDropDownChild(IEffectBase* plug, int32_t x, int32_t y, const IFrameStrip& gridImage, double* ownerValue,
                 int32_t columns);

  void MouseDown(int32_t x, int32_t y, const IMouseState& mod) override;
  bool Draw(IEditor* editor) override;

 private:
  IFrameStrip gridImage;
  double* ownerValue;
  int32_t columns;
};
