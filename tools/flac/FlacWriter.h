// FlacWriter: audio written block by block as a FLAC file of 16- or 24-bit
// samples. Like WavWriter, blocks are gathered and encoded in large pieces
// on a thread of their own; the samples are quantised exactly as a WAV file
// of that depth holds them, so both decode to the same numbers. The file
// starts with a seek table (a point every 10 s) that Finish fills in, with
// the stream's length and checksum; the file must therefore be seekable.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tools/files/BinaryFile.h"
#include "tools/wav/PieceWriter.h"

class FlacWriter : public PieceWriter {
 public:
  FlacWriter();
  ~FlacWriter() override;

  bool Begin(BinaryFile* file, const std::string& name, const WavLayout& layout, uint64_t plannedFrames,
             std::string* error) override;
  bool Finish(std::string* error) override;
  const char* Container() const override { return "FLAC"; }

  // The encoder and the file it writes through; public for libFLAC's callbacks only.
  struct Sink;

 private:
  bool Holds(uint64_t, std::string*) const override { return true; }
  bool EncodePiece(const double* const* channels, std::size_t frames, std::string* error) override;
  // The reason the encoder stopped: the file's, or the encoder's own state.
  std::string EncoderFailure() const;
  void Abandon();

  WavLayout layout;
  std::unique_ptr<Sink> sink;
  std::vector<int32_t> quantized;  // one piece, channel after channel
};
