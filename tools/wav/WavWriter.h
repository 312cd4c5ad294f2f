// WavWriter: audio written block by block as a WAV file, or as an RF64 file
// (the 64-bit-size form of WAV) when it will not fit the 4 GiB that a WAV
// file's 32-bit sizes allow. Blocks are gathered, encoded whole and written
// in large pieces on a thread of their own; the header's sizes are filled in
// by Finish.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "tools/files/BinaryFile.h"
#include "tools/wav/EncoderThread.h"
#include "tools/wav/SampleCodec.h"
#include "tools/wav/WavFormat.h"

class WavWriter {
 public:
  // Starts writing on *file from its start. plannedFrames decides the form:
  // a plain WAV when that many frames fit in one, RF64 otherwise. name is how
  // errors call the file.
  bool Begin(BinaryFile* file, const std::string& name, const WavLayout& layout, uint64_t plannedFrames,
             std::string* error);
  // frames samples from each of the layout's channel arrays.
  bool Write(const double* const* channels, std::size_t frames, std::string* error);
  // frames of silence, left as a hole in the file (costing no disk where the
  // file system keeps sparse files).
  bool WriteSilence(uint64_t frames, std::string* error);
  // Writes what is buffered and the true sizes into the header. The file
  // stays open for its owner to flush and close.
  bool Finish(std::string* error);

  // The size of a file of frames frames in this layout, header included.
  static uint64_t FileBytes(const WavLayout& layout, uint64_t frames);

  bool IsRf64() const { return rf64; }
  uint64_t Frames() const { return frames; }
  // What saturation met, once Finish has run.
  const SampleStats& Stats() const { return stats; }

 private:
  bool Drain(std::string* error);
  bool Fail(const std::string& why, std::string* error) const;

  BinaryFile* file = nullptr;
  std::string name;
  WavLayout layout;
  bool rf64 = false;
  uint64_t frames = 0;
  uint64_t headerBytes = 0;
  std::unique_ptr<EncoderThread> encoder;
  SampleStats stats;
};
