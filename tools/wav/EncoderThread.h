// EncoderThread: blocks of samples gathered into large pieces and handed to
// an encoder on a thread of its own, so a render goes on computing while the
// pieces before are encoded and written. Two slots of frames take turns: one
// fills while the other is encoded.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Encodes and writes one gathered piece, on the encoder's thread: frames
// samples of each channel. False on failure, with the reason in *error.
using PieceEncoder = std::function<bool(const double* const* channels, std::size_t frames, std::string* error)>;

class EncoderThread {
 public:
  // Frames in a gathered piece (fewer only in the last).
  static constexpr std::size_t kPieceFrames = 32768;

  EncoderThread(int channels, PieceEncoder encode);
  ~EncoderThread();
  EncoderThread(const EncoderThread&) = delete;
  EncoderThread& operator=(const EncoderThread&) = delete;

  // Copies frames samples of each channel. False once encoding has failed.
  bool Add(const double* const* samples, std::size_t frames);
  // Waits until everything added is encoded. False if encoding failed.
  bool Drain();

  // After Drain: the encoder's reason for a failure.
  const std::string& Error() const { return error; }

 private:
  struct Slot {
    std::vector<double> samples;  // channel after channel, kPieceFrames each
    std::size_t frames = 0;
  };
  void Submit();
  void Work();
  void Encode(const Slot& slot);

  const int channels;
  PieceEncoder encode;
  Slot slots[2];
  int filling = 0;

  std::mutex mutex;
  std::condition_variable changed;
  int pending = -1;  // the slot handed over, or -1
  bool stopping = false;
  bool failed = false;
  std::string error;
  std::thread worker;
};
