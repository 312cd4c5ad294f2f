// SampleCodec: whole blocks of samples converted between per-channel doubles
// (full scale at ±1) and a file's interleaved bytes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "tools/wav/WavFormat.h"

// What encoding met: PCM saturates at full scale, so samples beyond it are
// clipped; floating point keeps them.
struct SampleStats {
  uint64_t clipped = 0;  // samples saturated (PCM only)
  double peak = 0.0;     // largest magnitude before saturation
};

// Channels a file may have.
constexpr int kMaxChannels = 8;

// frames frames of layout.channels channels into out (frames * FrameBytes()),
// in the layout of a WavFormat. PCM saturates at full scale; samples that
// are not finite numbers are written as silence in every format.
void EncodeFrames(const double* const* channels, std::size_t frames, const WavLayout& layout, uint8_t* out,
                  SampleStats* stats);

// count samples to integers of bits (16 or 24) bits, as PCM encoding makes
// them: saturated at full scale, rounded half away from zero, silence for
// what is not a finite number.
void QuantizeSamples(const double* samples, std::size_t count, int bits, int32_t* out, SampleStats* stats);

// frames frames from in into layout.channels arrays. Samples that are not
// finite numbers become 0; answers how many there were.
std::size_t DecodeFrames(const uint8_t* in, std::size_t frames, const WavLayout& layout, double* const* channels);
