// StereoRing: the lock-free queue between the render thread and the audio
// callback. One thread writes, one reads; neither ever waits for the other,
// and nothing is allocated once it is made. Samples are kept interleaved as
// the device takes them, in 32-bit floating point.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

class StereoRing {
 public:
  // Room for at least frames frames (rounded up to a power of two).
  explicit StereoRing(std::size_t frames);

  std::size_t Capacity() const { return mask + 1; }

  // Writer's side: how many frames fit now, and copying up to that many
  // from two channels (a sample that is not a finite number is silence).
  // Answers the frames written.
  std::size_t Space() const;
  std::size_t Write(const double* const* channels, std::size_t frames);

  // Reader's side: how many frames wait, and copying up to frames of them
  // into interleaved; answers the frames read. DropAll forgets all that
  // wait, from either side while the reader is known to be idle.
  std::size_t Available() const;
  std::size_t Read(float* interleaved, std::size_t frames);
  void DropAll();

 private:
  std::vector<float> samples;
  std::size_t mask;
  // Frames written and read since the start; only their difference matters.
  std::atomic<uint64_t> written{0};
  std::atomic<uint64_t> read{0};
};
