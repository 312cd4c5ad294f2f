// WAV files: reading PCM (8, 16, 24, 32-bit) and IEEE float (32, 64-bit)
// into per-channel doubles, and writing 16-bit, 24-bit, 32-bit float or
// 64-bit float files.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct WavAudio {
  double sampleRate = 0.0;
  std::vector<std::vector<double>> channels;  // one vector per channel, same length
  std::size_t Frames() const { return channels.empty() ? 0 : channels[0].size(); }
};

enum class WavFormat { kPcm16, kPcm24, kFloat32, kFloat64 };

// Answers false and a one-line reason in *error when the file cannot be read
// or is not a WAV file this reader understands.
bool ReadWav(const std::string& path, WavAudio* audio, std::string* error);
bool WriteWav(const std::string& path, const WavAudio& audio, WavFormat format, std::string* error);

// Writes a WAV file block by block, so long renders need no memory for the
// whole file; the sizes in the header are filled in by Close.
class WavWriter {
 public:
  WavWriter() = default;
  ~WavWriter();
  WavWriter(const WavWriter&) = delete;
  WavWriter& operator=(const WavWriter&) = delete;

  bool Open(const std::string& path, double sampleRate, int channels, WavFormat format, std::string* error);
  // frames samples from each of the channels' arrays.
  bool Write(const double* const* channels, std::size_t frames, std::string* error);
  bool Close(std::string* error);

 private:
  std::FILE* file = nullptr;
  std::string path;
  WavFormat format = WavFormat::kPcm24;
  int channelCount = 0;
  double rate = 0.0;
  uint64_t dataBytes = 0;
  std::vector<uint8_t> buffer;
};

// Parses "16", "24", "f32" or "f64".
bool ParseWavFormat(const std::string& text, WavFormat* format);
const char* WavFormatName(WavFormat format);
