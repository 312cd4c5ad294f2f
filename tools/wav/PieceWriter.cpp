#include "tools/wav/PieceWriter.h"

void PieceWriter::StartEncoding(int channels) {
  encoder.reset(new EncoderThread(channels, [this](const double* const* samples, std::size_t n, std::string* why) {
    return EncodePiece(samples, n, why);
  }));
}

bool PieceWriter::Fail(const std::string& why, std::string* error) const {
  if (error) *error = "cannot write " + name + ": " + why;
  return false;
}

bool PieceWriter::Drain(std::string* error) {
  if (!encoder) return Fail("not begun", error);
  if (encoder->Drain()) return true;
  if (error) *error = encoder->Error();
  return false;
}

bool PieceWriter::Write(const double* const* channels, std::size_t count, std::string* error) {
  if (!encoder) return Fail("not begun", error);
  if (!Holds(frames + count, error)) return false;
  if (!encoder->Add(channels, count)) return Drain(error);
  frames += count;
  return true;
}
