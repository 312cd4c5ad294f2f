// WavReader: a WAV or RF64 file read block by block. Open checks the whole
// header first and refuses, naming what is wrong, anything it cannot read
// faithfully: PCM of 8, 16, 24 or 32 bits and floating point of 32 or 64
// bits, in the plain or the extensible format chunk.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/files/BinaryFile.h"
#include "tools/wav/WavFormat.h"

class WavReader {
 public:
  // Rates a WAV file may claim.
  static constexpr uint32_t kMaxRate = 768000;

  bool Open(const std::string& path, std::string* error);

  const WavLayout& Layout() const { return layout; }
  uint64_t Frames() const { return frames; }
  bool IsRf64() const { return rf64; }

  // Reads up to count frames into Layout().channels arrays; *got is fewer
  // than count only at the end of the audio. A file that holds less than
  // its header promised is an error.
  bool Read(double* const* channels, std::size_t count, std::size_t* got, std::string* error);
  // Back to the first frame, for a file played again.
  bool Rewind(std::string* error);
  // Samples so far that were not finite numbers (read as 0).
  uint64_t NonFiniteSamples() const { return nonFinite; }

 private:
  bool ReadHeader(std::string* why);
  bool CheckLayout(const uint8_t* fmt, uint32_t size, std::string* why);
  bool Fail(const std::string& why, std::string* error) const;

  std::string path;
  BinaryFile file;
  WavLayout layout;
  bool rf64 = false;
  uint64_t fileBytes = 0;
  uint64_t dataOffset = 0;
  uint64_t dataBytes = 0;
  uint64_t frames = 0;
  uint64_t framesRead = 0;
  uint64_t nonFinite = 0;
  std::vector<uint8_t> buffer;
};
