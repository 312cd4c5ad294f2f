// IMouseState: buttons and modifier keys held when an event happened.
#pragma once

struct IMouseState {
  bool L = false;  // left button
  bool R = false;  // right button
  bool S = false;  // Shift
  bool C = false;  // Ctrl
  bool A = false;  // Alt
};
