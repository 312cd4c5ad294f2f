// IKeyPress: one key as the window system or the host reports it, reduced to
// what the editor and its value entry tell apart.
#pragma once

#include <cstdint>

enum class IKey : int32_t {
  kText,  // a printable character, in IKeyPress::text
  kBackspace,
  kDelete,
  kLeft,
  kRight,
  kUp,
  kDown,
  kHome,
  kEnd,
  kEnter,
  kEscape,
  kOther,  // anything else: neither the editor nor the entry uses it
};

struct IKeyPress {
  IKey key = IKey::kOther;
  char text = '\0';
};

// The editor's key code (space 0, arrows 1 to 4, digits 6 to 15, letters 16
// to 41), or -1 for a key the controls are never given.
int32_t EditorKeyCode(const IKeyPress& press);
