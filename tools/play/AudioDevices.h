// AudioDevices: the sound card's outputs through PortAudio, for as long as
// one of these lives: listing them, picking one by number or name, and the
// rates each plays. Failures are a std::runtime_error of one line.
#pragma once

#include <string>
#include <vector>

struct OutputDevice {
  int index = -1;  // the number `ondivox devices` shows and --device takes
  std::string name;
  std::string api;  // the host API: ALSA, Windows WASAPI, MME ...
  int channels = 0;
  double defaultRate = 0.0;
  bool isDefault = false;

  // "device 1 "name"", as messages name it.
  std::string Title() const;
};

class AudioDevices {
 public:
  AudioDevices();
  ~AudioDevices();
  AudioDevices(const AudioDevices&) = delete;
  AudioDevices& operator=(const AudioDevices&) = delete;

  // Every device with a stereo output (or more channels), in the library's order.
  const std::vector<OutputDevice>& Outputs() const { return outputs; }
  // The device spec names: a number, a name, or a part of one name (any
  // case); the default output when spec is empty.
  OutputDevice Choose(const std::string& spec) const;
  // Which of the common rates the device plays, stereo in 32-bit floating point.
  std::vector<double> RatesOf(const OutputDevice& device, double latencySeconds) const;
  // Throws, naming the rates it plays, unless the device plays rate.
  void RequireRate(const OutputDevice& device, double rate, double latencySeconds) const;

 private:
  std::vector<OutputDevice> outputs;
};
