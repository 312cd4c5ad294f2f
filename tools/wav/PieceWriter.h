// PieceWriter: what the file writers share: the blocks written to them are
// gathered on an EncoderThread and encoded, piece by piece, by the
// subclass's EncodePiece on that thread.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "tools/wav/AudioOutput.h"
#include "tools/wav/EncoderThread.h"

class PieceWriter : public AudioOutput {
 public:
  bool Write(const double* const* channels, std::size_t frames, std::string* error) override;
  const SampleStats& Stats() const override { return stats; }
  uint64_t Frames() const { return frames; }

 protected:
  PieceWriter() = default;
  PieceWriter(const PieceWriter&) = delete;
  PieceWriter& operator=(const PieceWriter&) = delete;

  // Subclasses call StopEncoding in their destructor: a piece still being
  // encoded uses their members.
  void StartEncoding(int channels);
  void StopEncoding() { encoder.reset(); }
  bool Encoding() const { return encoder != nullptr; }
  // Waits until everything written is encoded; *error is the encoder's reason.
  bool Drain(std::string* error);
  // "cannot write NAME: why".
  bool Fail(const std::string& why, std::string* error) const;

  // Encodes and writes one piece, on the encoder's thread.
  virtual bool EncodePiece(const double* const* channels, std::size_t frames, std::string* error) = 0;
  // Whether the file can hold total frames; *error says why not.
  virtual bool Holds(uint64_t total, std::string* error) const = 0;

  std::string name;     // how errors call the file
  uint64_t frames = 0;  // written so far
  SampleStats stats;    // the encoder's thread's until Drain

 private:
  std::unique_ptr<EncoderThread> encoder;
};
