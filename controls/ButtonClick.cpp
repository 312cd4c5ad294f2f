#include "controls/ButtonClick.h"

void IButtonClick::MouseDown(int32_t x, int32_t y, const IMouseState& mod) {
  if (clicked) *clicked = true;
  IButton::MouseDown(x, y, mod);
}
