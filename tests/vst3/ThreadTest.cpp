// The host's two threads at once: the audio thread renders while the UI
// thread sets parameters, chooses programs, bypasses and saves and restores
// state. Run under ThreadSanitizer, any unguarded access is reported.
#include <atomic>
#include <cmath>
#include <thread>

#include "BundleFixture.h"
#include "instrument/OndivoxParams.h"
#include "tools/host/ParameterChanges.h"

using ThreadTest = BundleTest;

TEST_F(ThreadTest, RenderingWhileTheUiThreadChangesEverything) {
  auto plug = Make();
  ASSERT_EQ(plug->Setup(48000.0, 256, kSample32), kResultOk);
  IEditController* ctl = plug->Controller();
  const std::vector<uint8_t> saved = plug->SaveState();
  std::atomic<bool> stop{false};
  std::atomic<int> blocks{0};
  bool finite = true;

  std::thread audio([&] {
    StereoBuffers<float> in(256), out(256);
    ParameterChanges changes;
    for (int64 pos = 0; !stop; pos += 256) {
      changes.Clear();
      // Host automation and the odd program change arrive in the queues too.
      changes.Add(kVolume, (pos / 256 % 100) / 100.0);
      if (pos % (256 * 50) == 0) changes.Add(kPrst, ProgramValue(pos / 256 % 140));
      ProcessContext context = PlayingContext(48000.0, pos);
      plug->Process(256, 2, in.pointers, out.pointers, &changes, &context);
      for (float v : out.left) finite = finite && std::isfinite(v);
      ++blocks;
    }
  });

  for (int i = 0; i < 400 || blocks < 100; ++i) {
    ctl->setParamNormalized(static_cast<ParamID>(i % 25), (i % 10) / 10.0);
    ctl->getParamNormalized(static_cast<ParamID>((i + 7) % 25));
    if (i % 20 == 0) ctl->setParamNormalized(kPrst, ProgramValue(i % 140));
    if (i % 30 == 0) ctl->setParamNormalized(kBpas, (i / 30) % 2);
    if (i % 40 == 0) plug->SaveState();
    if (i % 50 == 0) plug->LoadState(saved);
  }
  stop = true;
  audio.join();
  EXPECT_TRUE(finite);
  EXPECT_GE(blocks.load(), 100);
  // What was left behind is a state that saves and loads.
  std::vector<uint8_t> last = plug->SaveState();
  EXPECT_EQ(plug->LoadState(last), kResultOk);
  EXPECT_EQ(plug->SaveState(), last);
}
