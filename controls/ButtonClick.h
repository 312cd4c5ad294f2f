// IButtonClick: an IButton that also raises a flag of the plug-in on every
// press, so the instrument can tell a click from an automated change.
#pragma once

#include "controls/Button.h"

class IButtonClick : public IButton {
 public:
  using IButton::IButton;

  void MouseDown(int32_t x, int32_t y, const IMouseState& mod) override;
  void SetClickFlag(bool* flag) { clicked = flag; }

 private:
  bool* clicked = nullptr;
};
