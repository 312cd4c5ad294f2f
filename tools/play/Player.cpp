#include "tools/play/Player.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace {

// How often a waiting render thread looks again, and how long it lets a full
// ring drain before topping it up: an eighth of the ring, at most this long.
constexpr auto kPoll = std::chrono::milliseconds(5);
constexpr double kLongestNap = 0.05;

}  // namespace

Player::Player(PlaySource source, const PlayerSettings& settings)
    : source(std::move(source)),
      settings(settings),
      ring(static_cast<std::size_t>(std::ceil(settings.ringSeconds * settings.sampleRate))),
      feed(ring, settings.sampleRate) {}

Player::~Player() { Join(); }

void Player::Join() {
  Stop();
  if (thread.joinable()) thread.join();
}

void Player::Start() { thread = std::thread([this] { Run(); }); }

void Player::TogglePause() { feed.SetPaused(!feed.Paused()); }

void Player::Stop() {
  stopping.store(true);
  feed.Stop();
}

void Player::SeekBy(double seconds) {
  const int64_t from = seekPending.load() ? seekTarget.load() : std::llround(Position() * settings.sampleRate);
  const int64_t last = std::max<int64_t>(0, settings.frames - 1);
  seekTarget.store(std::clamp<int64_t>(from + std::llround(seconds * settings.sampleRate), 0, last));
  seekPending.store(true);
}

double Player::Position() const {
  const uint64_t played = released.load() ? feed.FramesPlayed() : 0;
  return static_cast<double>(heardFrom.load() + static_cast<int64_t>(played)) / settings.sampleRate;
}

bool Player::Seeking() const { return seekPending.load() || !released.load(); }

double Player::SeekTarget() const { return static_cast<double>(seekTarget.load()) / settings.sampleRate; }

bool Player::WaitFor(const std::function<bool()>& ready) const {
  while (!ready()) {
    if (stopping.load()) return false;
    std::this_thread::sleep_for(kPoll);
  }
  return true;
}

void Player::Run() {
  int64_t from = 0;
  for (bool rerun = false;; rerun = true) {
    const bool ended = RunFrom(from, rerun);
    if (stopping.load()) return;
    if (!seekPending.load()) {
      // The end, or a render that failed: what is queued plays out, unless
      // a seek comes first.
      if (!released.exchange(true)) feed.Release();
      feed.MarkEnd();
      if (!ended) return;
      if (!WaitFor([this] { return seekPending.load() || feed.Finished(); }) || feed.Finished()) return;
    }
    from = seekTarget.load();
    seekPending.store(false);
    released.store(false);
    feed.Hold();
    if (!WaitFor([this] { return feed.Held() || feed.Finished(); }) || feed.Finished()) return;
    // Held, the callback reads nothing: what the last run queued goes.
    ring.DropAll();
  }
}

bool Player::RunFrom(int64_t from, bool rerun) {
  heardFrom.store(from);
  int64_t position = 0;
  const RenderSink sink = [&](const double* const* channels, int32_t frames) {
    if (Interrupted()) return false;
    const int64_t at = position;
    position += frames;
    if (position <= from) return true;  // still on the way to the place sought
    const int32_t skip = static_cast<int32_t>(std::max<int64_t>(0, from - at));
    const double* rest[2] = {channels[0] + skip, channels[1] + skip};
    return WriteAll(rest, frames - skip);
  };
  bool ended = false;
  try {
    ended = source(rerun, sink);
  } catch (...) {
    ended = false;  // nothing leaves the render thread but its answer
  }
  if (!ended && !Interrupted()) failed.store(true);
  return ended;
}

bool Player::WriteAll(const double* const* channels, int32_t frames) {
  std::size_t done = 0;
  for (;;) {
    const double* at[2] = {channels[0] + done, channels[1] + done};
    done += ring.Write(at, static_cast<std::size_t>(frames) - done);
    if (done == static_cast<std::size_t>(frames)) return true;
    // The ring is full: what it holds is heard from now on.
    if (!released.exchange(true)) feed.Release();
    if (!stalled && settings.stallSeconds > 0.0) {
      stalled = true;
      std::this_thread::sleep_for(std::chrono::duration<double>(settings.stallSeconds));
    }
    if (Interrupted()) return false;
    std::this_thread::sleep_for(std::chrono::duration<double>(std::min(kLongestNap, settings.ringSeconds / 8)));
  }
}
