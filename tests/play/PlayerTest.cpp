// The render thread and the feed together, against a device of the test's
// own: a thread that takes ten frames a millisecond (ten times real time at
// the 1000 Hz used here, where a fade is 20 frames). The ring holds two
// seconds, so a render thread kept waiting by a busy machine does not run it
// dry.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "tools/play/Player.h"

namespace {

constexpr double kRate = 1000.0;
constexpr int kFade = 20;
constexpr int kBlock = 100;

// A source whose every sample is its frame's number, frames long.
struct CountingSource {
  explicit CountingSource(int64_t frames = 3000, int64_t failAt = -1) : frames(frames), failAt(failAt) {}
  int64_t frames;
  int64_t failAt;  // a render that gives up there on its own
  std::atomic<int> runs{0}, reruns{0};

  PlaySource Source() {
    return [this](bool rerun, const RenderSink& sink) {
      ++runs;
      reruns += rerun ? 1 : 0;
      std::vector<double> block(kBlock);
      for (int64_t at = 0; at < frames; at += kBlock) {
        if (at == failAt) return false;
        for (int i = 0; i < kBlock; ++i) block[i] = static_cast<double>(at + i);
        const double* channels[2] = {block.data(), block.data()};
        if (!sink(channels, kBlock)) return false;
      }
      return true;
    };
  }
};

class FakeDevice {
 public:
  explicit FakeDevice(PlaybackFeed& feed) : thread([this, &feed] { Run(feed); }) {}
  ~FakeDevice() { Join(); }
  void Join() {
    if (thread.joinable()) thread.join();
  }
  // Waits until frames frames were taken (or the device ended).
  void WaitFor(std::size_t frames) const {
    while (taken.load() < frames && !done.load()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  std::vector<float> heard;  // the left side; read once joined

 private:
  void Run(PlaybackFeed& feed) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    float out[2 * 10];
    while (std::chrono::steady_clock::now() < until) {
      const bool more = feed.Fill(out, 10);
      for (int i = 0; i < 10; ++i) heard.push_back(out[2 * i]);
      taken.store(heard.size());
      if (!more) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    done.store(true);
  }
  std::atomic<std::size_t> taken{0};
  std::atomic<bool> done{false};
  std::thread thread;
};

PlayerSettings Settings(int64_t frames);

// A player of the source, started, on a device of the test's own.
struct Rig {
  Rig(CountingSource& counting, const PlayerSettings& settings)
      : player(counting.Source(), settings), device(player.Feed()) {
    player.Start();
  }
  explicit Rig(CountingSource& counting) : Rig(counting, Settings(counting.frames)) {}
  Player player;
  FakeDevice device;
};

PlayerSettings Settings(int64_t frames) {
  PlayerSettings s;
  s.sampleRate = kRate;
  s.frames = frames;
  s.ringSeconds = 2.0;
  return s;
}

// Where the number from was first heard (the size when it never was).
std::size_t Find(const std::vector<float>& heard, float from) {
  for (std::size_t i = 0; i < heard.size(); ++i)
    if (heard[i] == from) return i;
  return heard.size();
}

// Where frame 0 was heard: just before frame 1, since silence is 0 too.
std::size_t Start(const std::vector<float>& heard) {
  const std::size_t one = Find(heard, 1.0f);
  return one == 0 ? heard.size() : one - 1;
}

}  // namespace

TEST(Player, PlaysTheWholeRenderInOrderThenFinishes) {
  CountingSource counting;
  Rig rig(counting);
  rig.device.Join();
  ASSERT_TRUE(rig.player.Finished());
  const std::size_t first = Start(rig.device.heard);
  ASSERT_LT(first + counting.frames, rig.device.heard.size() + 1);
  for (int64_t i = 0; i < counting.frames; ++i) ASSERT_EQ(rig.device.heard[first + i], static_cast<float>(i)) << i;
  EXPECT_EQ(rig.player.Underruns(), 0u);
  EXPECT_FALSE(rig.player.Failed());
  EXPECT_EQ(counting.runs.load(), 1);
}

TEST(Player, ASeekRendersAgainFromTheStartAndIsHeardFromThePlaceSought) {
  CountingSource counting(5000);
  Rig rig(counting);
  rig.device.WaitFor(600);
  const double before = rig.player.Position();
  rig.player.SeekBy(2.0);
  const double target = rig.player.SeekTarget();
  EXPECT_GE(target, before + 2.0);
  EXPECT_LE(target, 3.0);
  rig.device.Join();
  EXPECT_EQ(counting.reruns.load(), 1);
  // After the fade out, the silence and the fade in, the numbers run on from
  // the target to the end.
  const float resume = static_cast<float>(target * kRate) + kFade;
  const std::size_t at = Find(rig.device.heard, resume);
  ASSERT_LT(at, rig.device.heard.size()) << "never heard " << resume;
  for (float v = resume; v < counting.frames; ++v) ASSERT_EQ(rig.device.heard[at + static_cast<std::size_t>(v - resume)], v);
  EXPECT_FALSE(rig.player.Failed());
}

TEST(Player, StopFadesOutAndEndsTheRender) {
  CountingSource counting(kRenderUntilStopped);
  Rig rig(counting);
  rig.device.WaitFor(300);
  rig.player.Stop();
  rig.device.Join();
  EXPECT_TRUE(rig.player.Finished());
  EXPECT_FALSE(rig.player.Failed());
  EXPECT_GT(rig.player.Position(), 0.0);
}

TEST(Player, ARenderThatGivesUpPlaysWhatItQueuedAndIsReported) {
  CountingSource counting(3000, 1000);
  Rig rig(counting);
  rig.device.Join();
  EXPECT_TRUE(rig.player.Finished());
  EXPECT_TRUE(rig.player.Failed());
  const std::size_t first = Start(rig.device.heard);
  ASSERT_LT(first + 1000, rig.device.heard.size() + 1);
  EXPECT_EQ(rig.device.heard[first + 999], 999.0f);
}

TEST(Player, AStalledRenderIsAnUnderrun) {
  CountingSource counting;
  PlayerSettings s = Settings(counting.frames);
  s.ringSeconds = 0.5;
  s.stallSeconds = 0.3;  // the 0.5 s ring lasts 0.05 s at this device's pace
  Rig rig(counting, s);
  rig.device.Join();
  EXPECT_GE(rig.player.Underruns(), 1u);
}
