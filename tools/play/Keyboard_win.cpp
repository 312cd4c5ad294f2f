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
  // One event at a time: keys typed faster than they are asked for wait in
  // the console's queue.
  INPUT_RECORD record;
  DWORD n = 0;
  if (!ReadConsoleInputW(saved->input, &record, 1, &n) || n != 1) return Key::kNone;
  if (record.EventType != KEY_EVENT || !record.Event.KeyEvent.bKeyDown) return Key::kNone;
  switch (record.Event.KeyEvent.wVirtualKeyCode) {
    case VK_SPACE: return Key::kPause;
    case 'Q': return Key::kQuit;
    case VK_LEFT: return Key::kBack;
    case VK_RIGHT: return Key::kForward;
    default: return Key::kNone;
  }
}
