// The ring between the render thread and the callback.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <thread>
#include <vector>

#include "tools/play/StereoRing.h"

namespace {

// Frames whose left sample is its number and whose right is minus it.
struct Counted {
  explicit Counted(std::size_t frames, double first = 0.0) : left(frames), right(frames) {
    for (std::size_t i = 0; i < frames; ++i) left[i] = -(right[i] = -(first + static_cast<double>(i)));
  }
  std::vector<double> left, right;
  const double* channels[2] = {left.data(), right.data()};
};

}  // namespace

TEST(StereoRing, KeepsOrderAcrossTheWrapAndRefusesWhatDoesNotFit) {
  StereoRing ring(6);
  ASSERT_EQ(ring.Capacity(), 8u);
  std::vector<float> out(16);
  double next = 0.0;
  // Three frames in and out, again and again, past the end of the storage.
  for (int pass = 0; pass < 5; ++pass) {
    Counted in(3, next);
    ASSERT_EQ(ring.Write(in.channels, 3), 3u);
    ASSERT_EQ(ring.Available(), 3u);
    ASSERT_EQ(ring.Read(out.data(), 16), 3u);
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(out[2 * i], next + i);
      EXPECT_EQ(out[2 * i + 1], -(next + i));
    }
    next += 3;
  }
  Counted many(20);
  EXPECT_EQ(ring.Write(many.channels, 20), 8u);
  EXPECT_EQ(ring.Space(), 0u);
  ring.DropAll();
  EXPECT_EQ(ring.Available(), 0u);
  EXPECT_EQ(ring.Space(), 8u);
}

TEST(StereoRing, SamplesThatAreNotNumbersAreSilence) {
  StereoRing ring(4);
  const double left[] = {std::numeric_limits<double>::quiet_NaN(), 0.5};
  const double right[] = {std::numeric_limits<double>::infinity(), -0.5};
  const double* channels[2] = {left, right};
  ASSERT_EQ(ring.Write(channels, 2), 2u);
  float out[4];
  ASSERT_EQ(ring.Read(out, 2), 2u);
  EXPECT_EQ(std::vector<float>(out, out + 4), (std::vector<float>{0.0f, 0.0f, 0.5f, -0.5f}));
}

TEST(StereoRing, OneWriterAndOneReaderOnTheirOwnThreads) {
  StereoRing ring(64);
  constexpr std::size_t kFrames = 200000;
  std::thread writer([&] {
    Counted all(kFrames);
    for (std::size_t done = 0; done < kFrames;) {
      const double* at[2] = {all.left.data() + done, all.right.data() + done};
      done += ring.Write(at, std::min<std::size_t>(37, kFrames - done));
    }
  });
  std::vector<float> out(2 * 50);
  std::size_t seen = 0;
  bool inOrder = true;
  while (seen < kFrames) {
    const std::size_t n = ring.Read(out.data(), 50);
    for (std::size_t i = 0; i < n; ++i)
      inOrder = inOrder && out[2 * i] == static_cast<float>(seen + i) && out[2 * i + 1] == -out[2 * i];
    seen += n;
  }
  writer.join();
  EXPECT_TRUE(inOrder);
}
