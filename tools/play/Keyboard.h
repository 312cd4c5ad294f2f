// Keyboard: a player's keys read from a terminal as they are pressed (no
// Enter, no echo), with the terminal put back as it was when this goes,
// however the program leaves. Ctrl+C still interrupts. Without a terminal
// on the standard input no key is read.
#pragma once

enum class Key { kNone, kPause, kQuit, kBack, kForward };

class Keyboard {
 public:
  Keyboard();
  ~Keyboard();
  Keyboard(const Keyboard&) = delete;
  Keyboard& operator=(const Keyboard&) = delete;

  // The standard input is a terminal, and keys are read from it.
  bool Live() const { return live; }
  // The next key pressed within milliseconds; kNone when none was (or
  // another key was).
  Key Wait(int milliseconds);

 private:
  bool live = false;
  struct Saved;
  Saved* saved = nullptr;
};
