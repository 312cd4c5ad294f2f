// ParamMailbox: values and visibility the plug-in hands to its editor from
// any thread, taken by the editor on its own thread.
//
// The audio thread applies host automation while the editor's timer draws
// the same controls without the plug-in lock, so the audio side never
// touches a control: it only stores the newest value (and whether the
// parameter's controls are to be hidden) in atomics here, and the editor
// takes them at its next tick. Posting never allocates, waits or locks.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

class ParamMailbox {
 public:
  // Room for count parameters; what was posted before is dropped.
  // Not to be called while another thread posts.
  void Resize(int32_t count);
  int32_t Count() const { return count; }

  // Any thread. Indices outside the mailbox are ignored.
  void PostValue(int32_t index, double normalized);
  void PostHidden(int32_t index, bool hidden);

  // The editor's thread: the newest value posted since the last take.
  bool TakeValue(int32_t index, double* normalized);
  // 1 hide, 0 show, -1 nothing posted since the last take.
  int32_t TakeHidden(int32_t index);

 private:
  struct Slot {
    std::atomic<double> value{0.0};
    std::atomic<bool> valuePosted{false};
    std::atomic<int8_t> hidden{-1};
  };
  std::unique_ptr<Slot[]> slots;
  int32_t count = 0;
};
