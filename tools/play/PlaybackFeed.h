// PlaybackFeed: what the audio callback does with the ring, and the player's
// requests to it. The callback only copies from the ring and applies the
// fade gain: it never waits, allocates, locks or calls the plug-in. Every
// stop, pause and seek fades over 20 ms, so none clicks; a ring that runs
// dry while playing plays silence and is counted.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "tools/play/StereoRing.h"

class PlaybackFeed {
 public:
  static constexpr double kFadeSeconds = 0.020;

  // Starts held: silence until the writer first releases it.
  PlaybackFeed(StereoRing& ring, double sampleRate);

  // The device's callback: frames frames of interleaved stereo into out.
  // False once a stop has faded out or the end has played: the stream may
  // finish.
  bool Fill(float* out, std::size_t frames);

  // The player's requests, from any thread.
  void SetPaused(bool paused);
  bool Paused() const { return paused.load(std::memory_order_relaxed); }
  void Stop();
  bool Finished() const { return finished.load(std::memory_order_acquire); }

  // The writer's side of a seek: Hold fades out and then stops reading; once
  // Held(), the writer may empty the ring and refill it, and Release plays on
  // (fading in, or at full level the first time).
  void Hold();
  bool Held() const { return held.load(std::memory_order_acquire); }
  void Release();
  // The writer has written its last frame: the feed finishes when it has played.
  void MarkEnd() { ended.store(true, std::memory_order_release); }

  // Times the ring ran dry while playing.
  uint64_t Underruns() const { return underruns.load(std::memory_order_relaxed); }
  // Frames played from the ring since the last release.
  uint64_t FramesPlayed() const { return played.load(std::memory_order_relaxed); }

 private:
  // Frames until the gain reaches 0 from where it stands.
  std::size_t FramesToSilence() const;
  // Applies the gain, moving it toward target, to n frames in place.
  void Shape(float* out, std::size_t n, float target);

  StereoRing& ring;
  const float step;  // the gain's change per frame while fading

  std::atomic<bool> paused{false};
  std::atomic<bool> stopping{false};
  std::atomic<bool> holding{true};
  std::atomic<bool> held{true};
  std::atomic<bool> ended{false};
  std::atomic<bool> finished{false};
  std::atomic<uint64_t> underruns{0};
  std::atomic<uint64_t> played{0};

  // The callback's own.
  float gain = 1.0f;
  bool starving = false;
};
