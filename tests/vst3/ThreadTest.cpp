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

// Host automation on the audio thread while the editor's timer redraws the
// same controls on the UI thread: the knob, the switches that hide the LFO
// rate knobs and the value texts are written by one side and drawn by the
// other. Under ThreadSanitizer any value handed over without a rule shows.
TEST_F(ThreadTest, AutomationWhileTheEditorTicksAndDraws) {
  auto plug = Make();
  ASSERT_EQ(plug->Setup(48000.0, 256, kSample32), kResultOk);
  IOffscreenEditor* editor = plug->OffscreenEditor();
  ASSERT_NE(editor, nullptr);
  int32 width = 0, height = 0;
  ASSERT_EQ(editor->getEditorSize(&width, &height), kResultOk);
  std::vector<uint32> pixels(static_cast<size_t>(width) * height);
  std::atomic<bool> stop{false};
  std::atomic<int> blocks{0};

  std::thread audio([&] {
    StereoBuffers<float> in(256), out(256);
    ParameterChanges changes;
    for (int64 pos = 0; !stop; pos += 256) {
      const int n = static_cast<int>(pos / 256);
      changes.Clear();
      changes.Add(kVolume, (n % 100) / 100.0);
      changes.Add(kIsoRate, (n % 37) / 37.0);
      changes.Add(kLfo1Sync, n % 2);
      ProcessContext context = PlayingContext(48000.0, pos);
      plug->Process(256, 2, in.pointers, out.pointers, &changes, &context);
      ++blocks;
    }
  });

  for (int i = 0; i < 200 || blocks < 100; ++i) {
    editor->tick();
    if (i % 10 == 0) editor->drawInto(pixels.data(), width, height, width);
    plug->Controller()->getParamNormalized(kVolume);
  }
  stop = true;
  audio.join();

  // With the audio thread still, one tick shows the last automated value.
  ParameterChanges last;
  last.Add(kVolume, 0.25);
  StereoBuffers<float> in(256), out(256);
  ASSERT_EQ(plug->Process(256, 2, in.pointers, out.pointers, &last), kResultOk);
  editor->tick();
  std::vector<uint32> shown(pixels.size());
  ASSERT_EQ(editor->drawInto(shown.data(), width, height, width), kResultOk);
  last.Clear();
  last.Add(kVolume, 0.75);
  ASSERT_EQ(plug->Process(256, 2, in.pointers, out.pointers, &last), kResultOk);
  editor->tick();
  ASSERT_EQ(editor->drawInto(pixels.data(), width, height, width), kResultOk);
  EXPECT_NE(shown, pixels) << "the knob did not follow the automation";
}
