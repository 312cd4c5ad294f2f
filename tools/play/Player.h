// Player: a render played live. The render runs on a thread of its own into
// the ring, as fast as the ring takes it; the device's callback plays it
// through the feed. A seek renders again from the start, at full speed and
// unheard, to the place sought, since what the plug-in plays at any moment
// depends on all that came before it.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

#include "tools/host/Renderer.h"
#include "tools/play/PlaybackFeed.h"
#include "tools/play/StereoRing.h"

// Renders from position 0 into sink, as Render does; rerun is true for every
// run after the first (a seek), which must start from the same place as the
// first. False when it stopped before its end.
using PlaySource = std::function<bool(bool rerun, const RenderSink& sink)>;

struct PlayerSettings {
  double sampleRate = 48000.0;
  int64_t frames = 0;          // the whole length, or kRenderUntilStopped
  double ringSeconds = 0.5;    // rendered ahead of what is heard
  double stallSeconds = 0.0;   // a pause of the render once it first filled the ring (tests force underruns so)
};

class Player {
 public:
  Player(PlaySource source, const PlayerSettings& settings);
  ~Player();
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  // What the output stream's callback calls.
  PlaybackFeed& Feed() { return feed; }

  // Starts the render thread.
  void Start();
  // The user's controls, from the main thread.
  void TogglePause();
  bool Paused() const { return feed.Paused(); }
  // Moves the place heard by seconds (back when negative), within the length.
  void SeekBy(double seconds);
  // Fades out and ends; Finished() once the fade has played into the device.
  void Stop();
  // Ends the render thread (stopping first if it still plays) and waits for it.
  void Join();

  bool Finished() const { return feed.Finished(); }
  // The time being played, and the place a seek is rendering toward.
  double Position() const;
  bool Seeking() const;
  double SeekTarget() const;
  uint64_t Underruns() const { return feed.Underruns(); }
  // The render ended early on its own (an input that cannot be read, a
  // plug-in that refused), not because it was stopped or a seek restarted it.
  bool Failed() const { return failed.load(); }

 private:
  void Run();
  // Renders one run from the start, writing from frame `from` on.
  bool RunFrom(int64_t from, bool rerun);
  bool WriteAll(const double* const* channels, int32_t frames);
  bool Interrupted() const { return stopping.load() || seekPending.load(); }
  // Waits (polling) until ready answers true or the player is interrupted.
  bool WaitFor(const std::function<bool()>& ready) const;

  PlaySource source;
  PlayerSettings settings;
  StereoRing ring;
  PlaybackFeed feed;
  std::thread thread;

  std::atomic<bool> stopping{false};
  std::atomic<bool> seekPending{false};
  std::atomic<int64_t> seekTarget{0};
  std::atomic<int64_t> heardFrom{0};  // the frame the current run is heard from
  std::atomic<bool> released{false};  // the current run is being heard
  std::atomic<bool> failed{false};
  bool stalled = false;
};
