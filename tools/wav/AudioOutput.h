// AudioOutput: where a render's blocks go, one encoding of them into a
// file or a stream: the render loop writes to it without knowing which.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "tools/files/BinaryFile.h"
#include "tools/wav/SampleCodec.h"
#include "tools/wav/WavFormat.h"

class AudioOutput {
 public:
  virtual ~AudioOutput() = default;

  // Starts writing on *file from its start; plannedFrames is how many frames
  // will be written. name is how errors call the file. Every error is a
  // one-line reason in *error that names it.
  virtual bool Begin(BinaryFile* file, const std::string& name, const WavLayout& layout, uint64_t plannedFrames,
                     std::string* error) = 0;
  // frames samples from each of the layout's channel arrays.
  virtual bool Write(const double* const* channels, std::size_t frames, std::string* error) = 0;
  // Writes what is buffered and completes the file's header. The file
  // stays open for its owner to flush and close.
  virtual bool Finish(std::string* error) = 0;

  // What saturation met, once Finish has run.
  virtual const SampleStats& Stats() const = 0;
  // The container as a user calls it once Begin has run ("WAV", "RF64", "FLAC").
  virtual const char* Container() const = 0;
};
