// OutputStream: one stereo 32-bit float stream open on an output device,
// whose callback is a PlaybackFeed. Closed (and stopped) when it goes.
#pragma once

#include "tools/play/AudioDevices.h"
#include "tools/play/PlaybackFeed.h"

class OutputStream {
 public:
  // Opens the device at rate, asking for latencySeconds of output latency;
  // a std::runtime_error of one line when the device refuses.
  OutputStream(const OutputDevice& device, double rate, double latencySeconds, PlaybackFeed& feed);
  ~OutputStream();
  OutputStream(const OutputStream&) = delete;
  OutputStream& operator=(const OutputStream&) = delete;

  void Start();
  // Until the feed has finished and the device has played what it was given.
  bool Active() const;
  // The output latency the device granted, in seconds.
  double Latency() const;

 private:
  void* stream = nullptr;
  std::string title;
};
