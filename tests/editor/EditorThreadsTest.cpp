// Host automation arrives on the audio thread while the user works the
// editor and its timer draws: the same parameters are automated, shown by
// their knobs (with their value texts) and opened in the popup, and the
// popup is added to the control list and removed again.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include "EditorTestHost.h"
#include "controls/ImageControl.h"
#include "controls/KnobRotVal.h"

TEST(EditorThreads, AutomationWhileThePopupOpensClosesAndDraws) {
  EditorHarness h;
  IFrameStrip image = CoordStrip(h.editor, 30, 30, 1);
  ITextStyle text;
  text.size = 10;
  h.editor->AddControl(new IImageControl(&h.plug, -1, IRect(0, 0, 200, 150), image, true));
  for (int i = 0; i < 40; ++i)
    h.Add(new IImageControl(&h.plug, TestPlug::kLevel, IRect(150, 0, 151, 1), image, true));
  h.Add(new IKnobRotVal(&h.plug, TestPlug::kShape, 60, 60, image, text, 5, 300, 4.0, 0, 0, 0.2f, true, 0));
  h.Add(new IKnobRotVal(&h.plug, TestPlug::kLevel, 140, 60, image, text, 5, 300, 4.0, 0, 0, 0.2f, true, 0));
  std::atomic<bool> stop{false};
  std::thread audio([&] {
    for (int n = 0; !stop; ++n) {
      h.plug.SetParamFromHost(TestPlug::kLevel, (n % 100) / 100.0);
      h.plug.SetParamFromHost(TestPlug::kShape, (n % 4) / 3.0);
    }
  });
  for (int i = 0; i < 1500; ++i) {
    h.Click(60, 60, IMouseState{false, true, false, false, false});  // opens the popup
    h.editor->Tick();
    h.Click(190, 140);                                              // closes it
    h.editor->Tick();
  }
  stop = true;
  audio.join();
  EXPECT_EQ(h.editor->Popup(), nullptr);
  EXPECT_EQ(h.editor->ControlCount(), 43);
  // Once the audio thread is still, the next tick shows its last values.
  h.plug.SetParamFromHost(TestPlug::kLevel, 0.3);
  h.editor->Tick();
  for (int i = 1; i <= 40; ++i) EXPECT_DOUBLE_EQ(dynamic_cast<IControl*>(h.editor->GetControl(i))->Value(), 0.3);
}

TEST(EditorThreads, ListChangesWaitForTheAudioBlockInProgress) {
  EditorHarness h;
  std::atomic<bool> locked{false}, released{false};
  std::thread audio([&] {
    std::lock_guard<std::recursive_mutex> block(h.plug.Lock());  // as process() holds it
    locked = true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    released = true;
  });
  while (!locked) std::this_thread::yield();
  h.editor->AddControl(new IImageControl(&h.plug, -1, IRect(0, 0, 5, 5), IFrameStrip(), true));
  EXPECT_TRUE(released);
  audio.join();
}
