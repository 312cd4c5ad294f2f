#include "tools/play/PlaybackFeed.h"

#include <algorithm>
#include <cmath>

PlaybackFeed::PlaybackFeed(StereoRing& ring, double sampleRate)
    : ring(ring), step(static_cast<float>(1.0 / std::max(1.0, kFadeSeconds * sampleRate))) {}

void PlaybackFeed::SetPaused(bool p) { paused.store(p, std::memory_order_relaxed); }

void PlaybackFeed::Stop() { stopping.store(true, std::memory_order_relaxed); }

void PlaybackFeed::Hold() {
  ended.store(false, std::memory_order_release);
  holding.store(true, std::memory_order_release);
}

void PlaybackFeed::Release() {
  played.store(0, std::memory_order_relaxed);
  held.store(false, std::memory_order_release);
  holding.store(false, std::memory_order_release);
}

std::size_t PlaybackFeed::FramesToSilence() const { return static_cast<std::size_t>(std::ceil(gain / step)); }

void PlaybackFeed::Shape(float* out, std::size_t n, float target) {
  for (std::size_t i = 0; i < n; ++i) {
    if (gain != target) gain = target > gain ? std::min(target, gain + step) : std::max(target, gain - step);
    out[2 * i] *= gain;
    out[2 * i + 1] *= gain;
  }
}

bool PlaybackFeed::Fill(float* out, std::size_t frames) {
  std::fill(out, out + 2 * frames, 0.0f);
  if (finished.load(std::memory_order_relaxed)) return false;
  if (held.load(std::memory_order_acquire)) {
    if (!stopping.load(std::memory_order_relaxed)) return true;
    finished.store(true, std::memory_order_release);
    return false;
  }
  const bool stop = stopping.load(std::memory_order_relaxed);
  const bool hold = holding.load(std::memory_order_acquire);
  const float target = stop || hold || paused.load(std::memory_order_relaxed) ? 0.0f : 1.0f;
  // Fading out takes only the frames the fade needs; silence takes none.
  const std::size_t wanted = target == 0.0f ? std::min(frames, FramesToSilence()) : frames;
  const std::size_t got = ring.Read(out, wanted);
  Shape(out, got, target);
  played.fetch_add(got, std::memory_order_relaxed);
  const bool dry = got < wanted;
  const bool atEnd = dry && ended.load(std::memory_order_acquire) && ring.Available() == 0;
  if (dry && !atEnd && !starving) underruns.fetch_add(1, std::memory_order_relaxed);
  starving = dry && !atEnd;
  if (atEnd && target != 0.0f) gain = 0.0f;
  if (gain == 0.0f && (hold || stop || atEnd)) {
    if (stop || (atEnd && !hold)) {
      finished.store(true, std::memory_order_release);
      return false;
    }
    held.store(true, std::memory_order_release);
  }
  return true;
}
