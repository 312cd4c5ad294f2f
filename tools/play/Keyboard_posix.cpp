#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "tools/play/Keyboard.h"

struct Keyboard::Saved {
  termios mode;
};

Keyboard::Keyboard() {
  termios mode;
  if (!isatty(STDIN_FILENO) || tcgetattr(STDIN_FILENO, &mode) != 0) return;
  saved = new Saved{mode};
  mode.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
  mode.c_cc[VMIN] = 0;
  mode.c_cc[VTIME] = 0;
  live = tcsetattr(STDIN_FILENO, TCSANOW, &mode) == 0;
}

Keyboard::~Keyboard() {
  if (saved) tcsetattr(STDIN_FILENO, TCSANOW, &saved->mode);
  delete saved;
}

Key Keyboard::Wait(int milliseconds) {
  if (!live) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    return Key::kNone;
  }
  pollfd in = {STDIN_FILENO, POLLIN, 0};
  if (poll(&in, 1, milliseconds) <= 0) return Key::kNone;
  char bytes[16];
  const ssize_t n = read(STDIN_FILENO, bytes, sizeof bytes);
  for (ssize_t i = 0; i < n; ++i) {
    if (bytes[i] == ' ') return Key::kPause;
    if (bytes[i] == 'q' || bytes[i] == 'Q') return Key::kQuit;
    // An arrow: ESC [ C, or ESC O C in the terminal's application mode.
    if (bytes[i] == 0x1b && i + 2 < n && (bytes[i + 1] == '[' || bytes[i + 1] == 'O')) {
      if (bytes[i + 2] == 'C') return Key::kForward;
      if (bytes[i + 2] == 'D') return Key::kBack;
    }
  }
  return Key::kNone;
}
