#include "tools/wav/EncoderThread.h"

#include <algorithm>
#include <utility>

#include "tools/wav/SampleCodec.h"

EncoderThread::EncoderThread(int channelCount, PieceEncoder encoder)
    : channels(channelCount), encode(std::move(encoder)) {
  for (Slot& slot : slots) slot.samples.assign(kPieceFrames * channels, 0.0);
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

bool EncoderThread::Add(const double* const* samples, std::size_t frames) {
  for (std::size_t done = 0; done < frames;) {
    Slot& slot = slots[filling];
    const std::size_t n = std::min(kPieceFrames - slot.frames, frames - done);
    for (int c = 0; c < channels; ++c)
      std::copy(samples[c] + done, samples[c] + done + n, slot.samples.begin() + c * kPieceFrames + slot.frames);
    slot.frames += n;
    done += n;
    if (slot.frames == kPieceFrames) Submit();
  }
  std::lock_guard<std::mutex> lock(mutex);
  return !failed;
}

// Hands the filling slot over once the other one is encoded, and fills that one next.
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
  const double* from[kMaxChannels];
  for (int c = 0; c < channels; ++c) from[c] = slot.samples.data() + c * kPieceFrames;
  std::string why;
  const bool ok = encode(from, slot.frames, &why);
  std::lock_guard<std::mutex> lock(mutex);
  if (!ok) {
    failed = true;
    error = why;
  }
}
