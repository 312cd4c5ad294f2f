#include "tools/play/StereoRing.h"

#include <algorithm>
#include <cmath>

namespace {

std::size_t PowerOfTwoAtLeast(std::size_t n) {
  std::size_t p = 1;
  while (p < n) p <<= 1;
  return p;
}

float SampleOf(double x) { return std::isfinite(x) ? static_cast<float>(x) : 0.0f; }

}  // namespace

StereoRing::StereoRing(std::size_t frames)
    : samples(2 * PowerOfTwoAtLeast(std::max<std::size_t>(frames, 2))), mask(samples.size() / 2 - 1) {}

std::size_t StereoRing::Space() const {
  return Capacity() - static_cast<std::size_t>(written.load(std::memory_order_relaxed) -
                                               read.load(std::memory_order_acquire));
}

std::size_t StereoRing::Write(const double* const* channels, std::size_t frames) {
  const uint64_t at = written.load(std::memory_order_relaxed);
  const std::size_t n = std::min(frames, Space());
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t slot = 2 * ((at + i) & mask);
    samples[slot] = SampleOf(channels[0][i]);
    samples[slot + 1] = SampleOf(channels[1][i]);
  }
  written.store(at + n, std::memory_order_release);
  return n;
}

std::size_t StereoRing::Available() const {
  return static_cast<std::size_t>(written.load(std::memory_order_acquire) - read.load(std::memory_order_relaxed));
}

std::size_t StereoRing::Read(float* interleaved, std::size_t frames) {
  const uint64_t at = read.load(std::memory_order_relaxed);
  const std::size_t n = std::min(frames, Available());
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t slot = 2 * ((at + i) & mask);
    interleaved[2 * i] = samples[slot];
    interleaved[2 * i + 1] = samples[slot + 1];
  }
  read.store(at + n, std::memory_order_release);
  return n;
}

void StereoRing::DropAll() { read.store(written.load(std::memory_order_acquire), std::memory_order_release); }
