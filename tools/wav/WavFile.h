// Whole WAV files in memory: read into per-channel doubles, and written
// complete (or not at all) in one of the tool's formats.
#pragma once

#include <string>
#include <vector>

#include "tools/wav/WavFormat.h"

struct WavAudio {
  double sampleRate = 0.0;
  std::vector<std::vector<double>> channels;  // one vector per channel, same length
  std::size_t Frames() const { return channels.empty() ? 0 : channels[0].size(); }
};

// Answers false and a one-line reason in *error when the file cannot be read
// or is not a WAV file this reader understands.
bool ReadWav(const std::string& path, WavAudio* audio, std::string* error);
bool WriteWav(const std::string& path, const WavAudio& audio, WavFormat format, std::string* error);
