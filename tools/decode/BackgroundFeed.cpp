#include "tools/decode/BackgroundFeed.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

constexpr std::size_t kChunk = 4096;

}  // namespace

void BackgroundFeed::Queue::Append(const double* const* from, std::size_t n) {
  for (int c = 0; c < 2; ++c) side[c].insert(side[c].end(), from[c], from[c] + n);
}

void BackgroundFeed::Queue::Take(std::size_t n, double* const* to) {
  for (int c = 0; c < 2; ++c)
    if (to) std::copy(At(c, 0), At(c, n), to[c]);
  first += n;
  // What is left moves to the front once it is the smaller part.
  if (first < side[0].size() / 2) return;
  for (auto& s : side) s.erase(s.begin(), s.begin() + static_cast<long>(first));
  first = 0;
}

BackgroundFeed::BackgroundFeed() = default;
BackgroundFeed::~BackgroundFeed() = default;

void BackgroundFeed::Open(const std::string& file, bool looped) {
  path = file;
  loop = looped;
  decoder = OpenAudioFile(path, &error);
  if (!decoder) throw std::runtime_error(error);
  const int channels = decoder->Channels();
  if (channels < 1 || channels > 2)
    throw std::runtime_error(path + " has " + std::to_string(channels) +
                             " channels; only mono or stereo can be mixed in");
}

int64_t BackgroundFeed::FramesAt(double rate) const {
  const double frames = static_cast<double>(decoder->Frames());
  return rate == decoder->Rate() ? static_cast<int64_t>(frames) : std::llround(frames * rate / decoder->Rate());
}

void BackgroundFeed::Start(double rate) {
  if (rate != decoder->Rate()) {
    resampler = std::make_unique<Resampler>();
    if (!resampler->Open(decoder->Rate(), rate, decoder->Channels(), &error))
      throw std::runtime_error(path + ": " + error);
  }
  for (int c = 0; c < 2; ++c) {
    decoded[c].assign(kChunk, 0.0);
    converted[c].assign(kChunk, 0.0);
    head[c].assign(loop ? static_cast<std::size_t>(std::llround(kSeamSeconds * rate)) : 0, 0.0);
  }
}

bool BackgroundFeed::Decode(std::size_t frames) {
  double* to[2] = {decoded[0].data(), decoded[1].data()};
  std::size_t got = 0;
  if (!decoder->Read(to, frames, &got, &error)) return false;
  decodedStart = 0;
  decodedEnd = got;
  decoderDone = got < frames;
  return true;
}

std::size_t BackgroundFeed::Pull(double* const* out, std::size_t frames) {
  std::size_t made = 0;
  if (!resampler) {
    double* to[2] = {out[0], out[1]};
    if (!decoder->Read(to, frames, &made, &error)) failed = true;
  }
  while (resampler && made < frames && !flushed && !failed) {
    if (decodedStart == decodedEnd && !decoderDone && !Decode(kChunk)) {
      failed = true;
      break;
    }
    const bool end = decodedStart == decodedEnd;
    const double* in[2] = {decoded[0].data() + decodedStart, decoded[1].data() + decodedStart};
    double* to[2] = {out[0] + made, out[1] + made};
    std::size_t used = 0, got = 0;
    if (!resampler->Process(end ? nullptr : in, decodedEnd - decodedStart, &used, to, frames - made, &got, &error)) {
      failed = true;
      break;
    }
    decodedStart += used;
    made += got;
    if (end && got == 0) flushed = true;
  }
  if (decoder->Channels() == 1) std::copy(out[0], out[0] + made, out[1]);
  return failed ? 0 : made;
}

bool BackgroundFeed::Advance() {
  double* to[2] = {converted[0].data(), converted[1].data()};
  const std::size_t got = Pull(to, kChunk);
  if (failed) return false;
  if (firstPass && headFrames < head[0].size()) {
    const std::size_t n = std::min(got, head[0].size() - headFrames);
    for (int c = 0; c < 2; ++c) std::copy(to[c], to[c] + n, head[c].begin() + static_cast<long>(headFrames));
    headFrames += n;
  }
  passFrames += got;
  const bool passEnded = got < kChunk;
  if (!loop) {
    ready.Append(to, got);
    ended = passEnded;
    return true;
  }
  held.Append(to, got);
  if (passEnded) return Seam();
  // Hold back as much as a seam may need.
  if (held.Size() > head[0].size()) {
    const std::size_t n = held.Size() - head[0].size();
    const double* from[2] = {held.At(0, 0), held.At(1, 0)};
    ready.Append(from, n);
    held.Take(n, nullptr);
  }
  return true;
}

// The end of a looped pass: its last frames fade out as the start fades in
// (the gains sum to one), and the next pass goes on after those start frames.
bool BackgroundFeed::Seam() {
  if (firstPass) {
    firstPass = false;
    seamFrames = std::min(headFrames, passFrames / 4);
    if (passFrames == 0) {
      ended = true;
      return true;
    }
  }
  const std::size_t n = held.Size(), s = std::min(seamFrames, n);
  for (std::size_t i = 0; i < s; ++i) {
    const double in = (static_cast<double>(i) + 0.5) / static_cast<double>(s);
    for (int c = 0; c < 2; ++c) {
      double& x = *held.At(c, n - s + i);
      x = x * (1.0 - in) + head[c][i] * in;
    }
  }
  const double* from[2] = {held.At(0, 0), held.At(1, 0)};
  ready.Append(from, n);
  held.Take(n, nullptr);
  if (!decoder->Rewind(&error)) return false;
  if (resampler) resampler->Clear();
  decoderDone = flushed = false;
  decodedStart = decodedEnd = 0;
  passFrames = 0;
  double* to[2] = {converted[0].data(), converted[1].data()};
  for (std::size_t skipped = 0; skipped < s;) {
    const std::size_t got = Pull(to, std::min(kChunk, s - skipped));
    if (failed) return false;
    if (got == 0) break;
    skipped += got;
  }
  return true;
}

bool BackgroundFeed::Fill(double* const* stereo, int32_t frames) {
  const std::size_t want = static_cast<std::size_t>(frames);
  while (ready.Size() < want && !ended)
    if (!Advance()) return false;
  const std::size_t n = std::min(want, ready.Size());
  ready.Take(n, stereo);
  for (int c = 0; c < 2; ++c) std::fill(stereo[c] + n, stereo[c] + want, 0.0);
  return true;
}
