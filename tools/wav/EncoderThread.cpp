#include "tools/wav/EncoderThread.h"

#include <algorithm>

namespace {

constexpr std::size_t kSlotFrames = 32768;

}  // namespace

EncoderThread::EncoderThread(BinaryFile* out, const WavLayout& fileLayout) : file(out), layout(fileLayout) {
  for (Slot& slot : slots) slot.samples.assign(kSlotFrames * layout.channels, 0.0);
  bytes.resize(kSlotFrames * layout.FrameBytes());
  worker = std::thread(&EncoderThread::Work, this);
}

EncoderThread::~EncoderThread() {
  {
    std::unique_lock<std::mutex> lock(mutex);
    changed.wait(lock, [this] { return pending < 0; });
    stopping = true;
  }
  changed.notify_all();
  worker.join();
}

bool EncoderThread::Add(const double* const* channels, std::size_t frames) {
  for (std::size_t done = 0; done < frames;) {
    Slot& slot = slots[filling];
    const std::size_t n = std::min(kSlotFrames - slot.frames, frames - done);
    for (int c = 0; c < layout.channels; ++c)
      std::copy(channels[c] + done, channels[c] + done + n, slot.samples.begin() + c * kSlotFrames + slot.frames);
    slot.frames += n;
    done += n;
    if (slot.frames == kSlotFrames) Submit();
  }
  std::lock_guard<std::mutex> lock(mutex);
  return !failed;
}

// Hands the filling slot over once the other one is written, and fills that one next.
void EncoderThread::Submit() {
  {
    std::unique_lock<std::mutex> lock(mutex);
    changed.wait(lock, [this] { return pending < 0; });
    pending = filling;
  }
  changed.notify_all();
  filling ^= 1;
  slots[filling].frames = 0;
}

bool EncoderThread::Drain() {
  if (slots[filling].frames > 0) Submit();
  std::unique_lock<std::mutex> lock(mutex);
  changed.wait(lock, [this] { return pending < 0; });
  return !failed;
}

void EncoderThread::Work() {
  std::unique_lock<std::mutex> lock(mutex);
  for (;;) {
    changed.wait(lock, [this] { return pending >= 0 || stopping; });
    if (pending < 0) return;
    const Slot& slot = slots[pending];
    lock.unlock();
    if (!failed) Encode(slot);  // failed is only set on this thread
    lock.lock();
    pending = -1;
    changed.notify_all();
  }
}

void EncoderThread::Encode(const Slot& slot) {
  const double* channels[kMaxChannels];
  for (int c = 0; c < layout.channels; ++c) channels[c] = slot.samples.data() + c * kSlotFrames;
  SampleStats met = stats;
  EncodeFrames(channels, slot.frames, layout, bytes.data(), &met);
  const bool ok = file->Write(bytes.data(), slot.frames * layout.FrameBytes());
  std::lock_guard<std::mutex> lock(mutex);
  stats = met;
  if (!ok) {
    failed = true;
    error = file->Error();
  }
}
