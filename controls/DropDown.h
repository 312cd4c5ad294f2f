// IDropDown: shows the current choice as one frame of a strip; a click
// shows a prepared grid of all choices next to it (an IDropDownChild), and
// a click on a cell picks it. The pick reaches the plug-in when the
// drop-down next draws.
#pragma once

#include "controls/Control.h"
#include "editor/FrameStrip.h"

class IDropDownChild;

class IDropDown : public IControl {
 public:
  IDropDown(IEffectBase* plug, int32_t paramIndex, int32_t x, int32_t y, const IFrameStrip& image,
            const IFrameStrip& gridImage, int32_t columns, int32_t placement);

  void MouseDown(int32_t x, int32_t y, const IMouseState& mod) override;
  bool Draw(IEditor* editor) override;
  void ApplyPlugValue(double v) override;

  IDropDownChild* Child() const { return child; }
  bool Shown() const { return shown; }

 private:
  void HideGrid();
  IRect GridPlace() const;

  IDropDownChild* child = nullptr;  // owned by the editor's list once added
  IFrameStrip image;
  IFrameStrip gridImage;
  double lastValue = 0.0;
  int32_t columns;
  int32_t placement;
  bool shown = false;
  bool created = false;
};
