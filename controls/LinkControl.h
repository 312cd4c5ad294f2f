// ILinkControl: an invisible clickable area that opens a web link, or a
// fallback link when the first cannot be opened.
#pragma once

#include "controls/Control.h"

class ILinkControl : public IControl {
 public:
  ILinkControl(IEffectBase* plug, const IRect& rect, const char* url, const char* fallbackUrl, const char* title);

  void MouseDown(int32_t x, int32_t y, const IMouseState& mod) override;
  bool Draw(IEditor*) override { return true; }

 private:
  char url[256] = {};
  char fallbackUrl[256] = {};
  char title[1024] = {};
};
