// The sample encodings the tool writes, and the layout of any WAV file's
// samples.
#pragma once

#include <cstdint>
#include <string>

enum class WavFormat { kPcm16, kPcm24, kFloat32, kFloat64 };

// Parses "16", "24", "f32" or "f64".
bool ParseWavFormat(const std::string& text, WavFormat* format);
const char* WavFormatName(WavFormat format);

// How samples lie in a file: interleaved frames of channels samples.
struct WavLayout {
  bool isFloat = false;
  int bits = 0;  // per sample: 8, 16, 24 or 32 for PCM; 32 or 64 for float
  int channels = 0;
  uint32_t rate = 0;

  int SampleBytes() const { return bits / 8; }
  int FrameBytes() const { return SampleBytes() * channels; }
};

WavLayout LayoutOf(WavFormat format, int channels, uint32_t rate);

// The format chunk's encoding tags the tool reads and writes.
constexpr uint16_t kWavTagPcm = 1;
constexpr uint16_t kWavTagFloat = 3;

// Little-endian integers as a file holds them.
inline uint32_t ReadLe32(const uint8_t* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}
