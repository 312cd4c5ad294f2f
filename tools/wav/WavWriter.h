// WavWriter: audio written block by block as a WAV file, or as an RF64 file
// (the 64-bit-size form of WAV) when it will not fit the 4 GiB that a WAV
// file's 32-bit sizes allow. Blocks are gathered, encoded whole and written
// in large pieces on a thread of their own; the header's sizes are filled in
// by Finish.
//
// A stream (a pipe to a player) cannot be rewound: its header gives the
// planned length up front, and the audio follows without a seek. A stream
// longer than a WAV file can hold is a plain WAV whose sizes are 0xFFFFFFFF,
// which streaming readers take as "until the stream ends" (they do not
// read RF64).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/files/BinaryFile.h"
#include "tools/wav/PieceWriter.h"
#include "tools/wav/SampleCodec.h"
#include "tools/wav/WavFormat.h"

class WavWriter : public PieceWriter {
 public:
  enum class Target { kFile, kStream };
  explicit WavWriter(Target target = Target::kFile) : stream(target == Target::kStream) {}
  ~WavWriter() override { StopEncoding(); }

  // plannedFrames decides the form: a plain WAV when that many frames fit in
  // one, RF64 otherwise (a stream: sizes of 0xFFFFFFFF). A stream takes no
  // more than plannedFrames and must be given them all.
  bool Begin(BinaryFile* file, const std::string& name, const WavLayout& layout, uint64_t plannedFrames,
             std::string* error) override;
  // frames of silence, left as a hole in the file (costing no disk where the
  // file system keeps sparse files). Files only.
  bool WriteSilence(uint64_t frames, std::string* error);
  bool Finish(std::string* error) override;

  // The size of a file of frames frames in this layout, header included.
  static uint64_t FileBytes(const WavLayout& layout, uint64_t frames);

  bool IsRf64() const { return rf64; }
  const char* Container() const override { return rf64 ? "RF64" : "WAV"; }

 private:
  bool Holds(uint64_t total, std::string* error) const override;
  bool EncodePiece(const double* const* channels, std::size_t frames, std::string* error) override;

  const bool stream;
  BinaryFile* file = nullptr;
  WavLayout layout;
  bool rf64 = false;
  uint64_t planned = 0;
  uint64_t headerBytes = 0;
  std::vector<uint8_t> bytes;  // one piece encoded
};
