// EncoderThread: blocks of samples encoded and written on a thread of their
// own, so a render goes on computing while the blocks before are converted
// and handed to the file system. Two slots of frames take turns: one fills
// while the other is written.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tools/files/BinaryFile.h"
#include "tools/wav/SampleCodec.h"
#include "tools/wav/WavFormat.h"

class EncoderThread {
 public:
  // Writes to *file from where it stands; the file is the thread's until Drain.
  EncoderThread(BinaryFile* file, const WavLayout& layout);
  ~EncoderThread();
  EncoderThread(const EncoderThread&) = delete;
  EncoderThread& operator=(const EncoderThread&) = delete;

  // Copies frames samples of each channel. False once a write has failed.
  bool Add(const double* const* channels, std::size_t frames);
  // Waits until everything added is written. False if a write failed.
  bool Drain();

  // After Drain: the system's reason for a failure, what saturation met.
  const std::string& Error() const { return error; }
  const SampleStats& Stats() const { return stats; }

 private:
  struct Slot {
    std::vector<double> samples;  // channel after channel, kSlotFrames each
    std::size_t frames = 0;
  };
  void Submit();
  void Work();
  void Encode(const Slot& slot);

  BinaryFile* file;
  const WavLayout layout;
  Slot slots[2];
  int filling = 0;
  std::vector<uint8_t> bytes;

  std::mutex mutex;
  std::condition_variable changed;
  int pending = -1;  // the slot handed over, or -1
  bool stopping = false;
  bool failed = false;
  std::string error;
  SampleStats stats;
  std::thread worker;
};
