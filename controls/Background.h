// IBackground: the editor's background image, and the face's zoom menu.
//
// A right click on the background (outside every other control) opens a menu
// of the zoom choices; the pick goes to the editor, which remembers it for
// the user and shows the face at it where the host gives no scale.
#pragma once

#include "controls/ImageControl.h"

class IBackground : public IImageControl {
 public:
  IBackground(IEffectBase* plug, const IFrameStrip& image);

  void MouseDown(int32_t x, int32_t y, const IMouseState& mod) override;
  void PopupChoice(const char* text, int32_t index) override;

 private:
  void OpenZoomMenu(IEditor* editor, int32_t x, int32_t y);
};
