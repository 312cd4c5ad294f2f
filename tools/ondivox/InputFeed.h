// InputFeed: the --input file read block by block as the render's stereo
// input: mono is heard on both sides, and silence follows its end, or,
// looped, the file again from its start.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "tools/wav/WavReader.h"

class InputFeed {
 public:
  InputFeed();
  ~InputFeed();

  // Reads and checks the header; ToolError naming what is wrong.
  void Open(const std::string& path, bool loop = false);

  // The file given to Open; empty when none is open.
  const std::string& Path() const { return path; }
  uint32_t Rate() const { return reader->Layout().rate; }
  uint64_t Frames() const { return reader->Frames(); }

  // The next frames samples of each side; false, with Error(), when the
  // file cannot be read.
  bool Fill(double* const* stereo, int32_t frames);
  const std::string& Error() const { return error; }
  // Samples that were not finite numbers, mixed as silence.
  uint64_t NonFiniteSamples() const { return reader->NonFiniteSamples(); }

 private:
  bool Read(double* const* stereo, int32_t frames, std::size_t* got);

  std::string path;
  bool loop = false;
  std::unique_ptr<WavReader> reader;
  std::string error;
};
