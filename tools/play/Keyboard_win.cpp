#include <windows.h>

#include "tools/play/Keyboard.h"

struct Keyboard::Saved {
  HANDLE input;
  DWORD mode;
};

Keyboard::Keyboard() {
  HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  DWORD mode = 0;
  if (input == INVALID_HANDLE_VALUE || !GetConsoleMode(input, &mode)) return;
  saved = new Saved{input, mode};
  // Ctrl+C stays an interruption (processed input).
  live = SetConsoleMode(input, (mode & ~(ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT)) | ENABLE_PROCESSED_INPUT) != 0;
}

Keyboard::~Keyboard() {
  if (saved) SetConsoleMode(saved->input, saved->mode);
  delete saved;
}

Key Keyboard::Wait(int milliseconds) {
  if (!live) {
    Sleep(static_cast<DWORD>(milliseconds));
    return Key::kNone;
  }
  if (WaitForSingleObject(saved->input, static_cast<DWORD>(milliseconds)) != WAIT_OBJECT_0) return Key::kNone;
  INPUT_RECORD records[16];
  DWORD n = 0;
  if (!ReadConsoleInputW(saved->input, records, 16, &n)) return Key::kNone;
  for (DWORD i = 0; i < n; ++i) {
    if (records[i].EventType != KEY_EVENT || !records[i].Event.KeyEvent.bKeyDown) continue;
    switch (records[i].Event.KeyEvent.wVirtualKeyCode) {
      case VK_SPACE: return Key::kPause;
      case 'Q': return Key::kQuit;
      case VK_LEFT: return Key::kBack;
      case VK_RIGHT: return Key::kForward;
      default: break;
    }
  }
  return Key::kNone;
}
