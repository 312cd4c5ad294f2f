// QuietStderr: the audio library and the sound systems under it print their
// own chatter while they look for devices (a sound server that is not
// running, a card that is not there). While one of these lives, standard
// error goes nowhere, so the tool's own messages stay one clear line.
#pragma once

class QuietStderr {
 public:
  QuietStderr();
  ~QuietStderr();
  QuietStderr(const QuietStderr&) = delete;
  QuietStderr& operator=(const QuietStderr&) = delete;

 private:
  int saved = -1;
};
