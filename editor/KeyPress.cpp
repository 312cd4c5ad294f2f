#include "editor/KeyPress.h"

int32_t EditorKeyCode(const IKeyPress& press) {
  switch (press.key) {
    case IKey::kUp: return 1;
    case IKey::kDown: return 2;
    case IKey::kLeft: return 3;
    case IKey::kRight: return 4;
    case IKey::kText: break;
    default: return -1;
  }
  char c = press.text;
  if (c == ' ') return 0;
  if (c >= '0' && c <= '9') return c - '0' + 6;
  if (c >= 'A' && c <= 'Z') return c - 'A' + 16;
  if (c >= 'a' && c <= 'z') return c - 'a' + 16;
  return -1;
}
