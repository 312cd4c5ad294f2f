// A user's gesture on the editor, replayed through its event entry points:
// a left or right click, a left-button drag, or wheel notches, at editor
// pixels.
#pragma once

#include <cstdint>
#include <string>

class IOffscreenEditor;

struct Gesture {
  enum Kind { kClick, kRightClick, kDrag, kWheel } kind = kClick;
  int32_t x = 0, y = 0;
  int32_t dx = 0, dy = 0;  // drag: how far the pointer moves
  int32_t notches = 0;     // wheel: positive turns up

  // From an option and its value: "--click X,Y", "--rclick X,Y",
  // "--drag X,Y,DX,DY", "--wheel X,Y,N". False with *error when malformed.
  static bool Parse(const std::string& option, const std::string& value, Gesture* out, std::string* error);
  // True when option names a gesture.
  static bool IsOption(const std::string& option);

  // Replays the gesture, then lets one timer tick pass, as a window would.
  void Replay(IOffscreenEditor* editor) const;
};
