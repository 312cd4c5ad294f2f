#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

#include "tools/play/Keyboard.h"

struct Keyboard::Saved {
  termios mode;
  std::string pending;  // bytes read and not yet taken as keys
};

Keyboard::Keyboard() {
  termios mode;
  if (!isatty(STDIN_FILENO) || tcgetattr(STDIN_FILENO, &mode) != 0) return;
  saved = new Saved{mode, std::string()};
  mode.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
  mode.c_cc[VMIN] = 0;
  mode.c_cc[VTIME] = 0;
  live = tcsetattr(STDIN_FILENO, TCSANOW, &mode) == 0;
}

Keyboard::~Keyboard() {
  if (saved) tcsetattr(STDIN_FILENO, TCSANOW, &saved->mode);
  delete saved;
}

namespace {

// The first key in bytes, and how many bytes it took (all of them when
// none is a key of ours); 0 bytes when a key may still be arriving.
Key Parse(const std::string& bytes, std::size_t* used) {
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    *used = i + 1;
    if (bytes[i] == ' ') return Key::kPause;
    if (bytes[i] == 'q' || bytes[i] == 'Q') return Key::kQuit;
    if (bytes[i] != 0x1b) continue;
    // An arrow: ESC [ C, or ESC O C in the terminal's application mode.
    if (i + 2 >= bytes.size()) {
      *used = i;
      return Key::kNone;
    }
    if (bytes[i + 1] != '[' && bytes[i + 1] != 'O') continue;
    *used = i + 3;
    if (bytes[i + 2] == 'C') return Key::kForward;
    if (bytes[i + 2] == 'D') return Key::kBack;
  }
  *used = bytes.size();
  return Key::kNone;
}

}  // namespace

Key Keyboard::Wait(int milliseconds) {
  if (!live) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    return Key::kNone;
  }
  // Keys typed faster than they are asked for wait their turn.
  std::size_t used = 0;
  Key key = Parse(saved->pending, &used);
  if (key == Key::kNone) {
    pollfd in = {STDIN_FILENO, POLLIN, 0};
    if (poll(&in, 1, milliseconds) > 0) {
      char bytes[64];
      const ssize_t n = read(STDIN_FILENO, bytes, sizeof bytes);
      if (n > 0) saved->pending.append(bytes, static_cast<std::size_t>(n));
    }
    key = Parse(saved->pending, &used);
  }
  saved->pending.erase(0, used);
  return key;
}
