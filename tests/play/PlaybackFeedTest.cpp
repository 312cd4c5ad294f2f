// What the device's callback plays: fades, pauses, underruns, the end and
// the hold of a seek, at a rate where a fade is ten frames.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/play/PlaybackFeed.h"

namespace {

constexpr double kRate = 500.0;  // a 20 ms fade is 10 frames
constexpr int kFade = 10;

class PlaybackFeedTest : public ::testing::Test {
 protected:
  // Queues frames of a constant level on both sides.
  void Queue(std::size_t frames, double level = 1.0) {
    std::vector<double> samples(frames, level);
    const double* channels[2] = {samples.data(), samples.data()};
    ASSERT_EQ(ring.Write(channels, frames), frames);
  }
  // One callback of frames frames; the left side.
  std::vector<float> Play(std::size_t frames, bool* more = nullptr) {
    std::vector<float> out(2 * frames, 9.0f);
    const bool going = feed.Fill(out.data(), frames);
    if (more) *more = going;
    std::vector<float> left;
    for (std::size_t i = 0; i < frames; ++i) left.push_back(out[2 * i]);
    return left;
  }

  StereoRing ring{1024};
  PlaybackFeed feed{ring, kRate};
};

// Largest change between neighbours.
float LargestStep(const std::vector<float>& v) {
  float step = 0.0f;
  for (std::size_t i = 1; i < v.size(); ++i) step = std::max(step, std::fabs(v[i] - v[i - 1]));
  return step;
}

}  // namespace

TEST_F(PlaybackFeedTest, SilentUntilReleasedThenAtFullLevelFromTheFirstFrame) {
  Queue(100);
  EXPECT_EQ(Play(20), std::vector<float>(20, 0.0f));
  EXPECT_EQ(ring.Available(), 100u) << "held, the callback takes nothing";
  feed.Release();
  EXPECT_EQ(Play(20), std::vector<float>(20, 1.0f));
  EXPECT_EQ(feed.FramesPlayed(), 20u);
}

TEST_F(PlaybackFeedTest, PauseFadesOutKeepsTheRestAndFadesBackIn) {
  Queue(200);
  feed.Release();
  Play(10);
  feed.SetPaused(true);
  const std::vector<float> out = Play(30);
  EXPECT_LT(LargestStep(out), 0.11f) << "no click";
  EXPECT_EQ(out[kFade], 0.0f);
  EXPECT_EQ(std::count(out.begin(), out.end(), 0.0f), 30 - kFade + 1);
  EXPECT_EQ(ring.Available(), 200u - 10 - kFade) << "a pause takes only the frames of its fade";
  EXPECT_EQ(Play(50), std::vector<float>(50, 0.0f));
  feed.SetPaused(false);
  const std::vector<float> back = Play(30);
  EXPECT_LT(LargestStep(back), 0.11f);
  EXPECT_EQ(back.back(), 1.0f);
  EXPECT_EQ(feed.Underruns(), 0u);
}

TEST_F(PlaybackFeedTest, StopFadesOutThenFinishes) {
  Queue(200);
  feed.Release();
  Play(10);
  feed.Stop();
  bool more = true;
  const std::vector<float> out = Play(30, &more);
  EXPECT_FALSE(more);
  EXPECT_TRUE(feed.Finished());
  EXPECT_LT(LargestStep(out), 0.11f);
  EXPECT_EQ(out[kFade], 0.0f);
  EXPECT_EQ(Play(5, &more), std::vector<float>(5, 0.0f));
  EXPECT_FALSE(more);
}

TEST_F(PlaybackFeedTest, ARingThatRunsDryIsSilenceAndCountedOncePerStarvation) {
  Queue(15);
  feed.Release();
  std::vector<float> out = Play(20);
  EXPECT_EQ(std::count(out.begin(), out.end(), 1.0f), 15);
  EXPECT_EQ(out.back(), 0.0f);
  Play(20);
  EXPECT_EQ(feed.Underruns(), 1u) << "one starvation, however many callbacks it lasts";
  Queue(40);
  Play(20);
  EXPECT_EQ(feed.Underruns(), 1u);
  Play(30);
  EXPECT_EQ(feed.Underruns(), 2u);
}

TEST_F(PlaybackFeedTest, TheEndPlaysOutWithoutCountingAnUnderrun) {
  Queue(25);
  feed.Release();
  feed.MarkEnd();
  bool more = true;
  Play(20, &more);
  EXPECT_TRUE(more);
  const std::vector<float> out = Play(20, &more);
  EXPECT_FALSE(more);
  EXPECT_EQ(std::count(out.begin(), out.end(), 1.0f), 5);
  EXPECT_EQ(feed.Underruns(), 0u);
}

TEST_F(PlaybackFeedTest, AHoldFadesOutThenReadsNothingUntilReleasedAndFadesIn) {
  Queue(300, 0.5);
  feed.Release();
  Play(10);
  feed.Hold();
  const std::vector<float> out = Play(30);
  EXPECT_TRUE(feed.Held());
  EXPECT_LT(LargestStep(out), 0.06f);
  const std::size_t left = ring.Available();
  EXPECT_EQ(Play(40), std::vector<float>(40, 0.0f));
  EXPECT_EQ(ring.Available(), left);
  ring.DropAll();
  Queue(100, 0.5);
  feed.Release();
  EXPECT_EQ(feed.FramesPlayed(), 0u);
  const std::vector<float> back = Play(30);
  EXPECT_LT(LargestStep(back), 0.06f) << "fades in after a seek";
  EXPECT_EQ(back.back(), 0.5f);
}
