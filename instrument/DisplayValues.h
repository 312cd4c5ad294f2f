// Live values the engine publishes for the editor's displays.
//
// The engine writes them on the audio thread or under the plug-in lock; the
// editor's drawing reads them on the user-interface thread without a lock.
// Each field is a lock-free atomic scalar read on its own, so no write can
// tear and the audio path neither allocates nor waits.
#pragma once

#include <atomic>

// One LFO's output within its range, for the position bar under its knobs.
struct LfoDisplay {
  std::atomic<float> value{0.0f};    // last output, in the target's units
  std::atomic<float> minimum{0.0f};  // the target's range
  std::atomic<float> maximum{0.0f};
  std::atomic<bool> active{false};    // the LFO runs
  std::atomic<bool> conflict{false};  // LFO 2 gave way: same target as LFO 1

  void SetValue(float v) { value.store(v, std::memory_order_relaxed); }
  void SetRange(float lo, float hi) {
    minimum.store(lo, std::memory_order_relaxed);
    maximum.store(hi, std::memory_order_relaxed);
  }
  void SetActive(bool on) { active.store(on, std::memory_order_relaxed); }
  void SetConflict(bool on) { conflict.store(on, std::memory_order_relaxed); }
  float Value() const { return value.load(std::memory_order_relaxed); }
  float Minimum() const { return minimum.load(std::memory_order_relaxed); }
  float Maximum() const { return maximum.load(std::memory_order_relaxed); }
  bool Active() const { return active.load(std::memory_order_relaxed); }
  bool Conflict() const { return conflict.load(std::memory_order_relaxed); }
};

// The pulse rate in hertz, for the brainwave-band label.
struct PulseRateDisplay {
  std::atomic<float> value{0.0f};

  void Set(float hz) { value.store(hz, std::memory_order_relaxed); }
  float Value() const { return value.load(std::memory_order_relaxed); }
};
