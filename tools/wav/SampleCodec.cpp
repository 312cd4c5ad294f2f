#include "tools/wav/SampleCodec.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Rounds half away from zero, as lround does, without its call.
inline int32_t Quantize(double v, double scale) {
  double scaled = std::max(-1.0, std::min(1.0, v)) * scale;
  return static_cast<int32_t>(scaled + (scaled < 0.0 ? -0.5 : 0.5));
}

template <int kBytes>
void EncodePcm(const double* const* channels, std::size_t frames, int count, uint8_t* out, SampleStats* stats) {
  const double scale = kBytes == 2 ? 32767.0 : 8388607.0;
  const std::size_t stride = static_cast<std::size_t>(count) * kBytes;
  for (int c = 0; c < count; ++c) {
    const double* src = channels[c];
    uint8_t* dst = out + c * kBytes;
    uint64_t clipped = 0;
    double peak = stats->peak;
    for (std::size_t i = 0; i < frames; ++i, dst += stride) {
      double v = src[i];
      double magnitude = std::fabs(v);
      peak = std::max(peak, magnitude);
      clipped += magnitude > 1.0;
      int32_t q = Quantize(v, scale);
      dst[0] = static_cast<uint8_t>(q);
      dst[1] = static_cast<uint8_t>(q >> 8);
      if (kBytes == 3) dst[2] = static_cast<uint8_t>(q >> 16);
    }
    stats->clipped += clipped;
    stats->peak = peak;
  }
}

template <typename T>
void EncodeFloat(const double* const* channels, std::size_t frames, int count, uint8_t* out, SampleStats* stats) {
  for (int c = 0; c < count; ++c) {
    const double* src = channels[c];
    uint8_t* dst = out + c * sizeof(T);
    double peak = stats->peak;
    for (std::size_t i = 0; i < frames; ++i, dst += count * sizeof(T)) {
      T v = static_cast<T>(src[i]);
      peak = std::max(peak, std::fabs(src[i]));
      std::memcpy(dst, &v, sizeof(T));
    }
    stats->peak = peak;
  }
}

uint32_t Le32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }

// One sample at p, as a double in -1..1.
double Decode(const uint8_t* p, const WavLayout& f) {
  if (f.isFloat) {
    if (f.bits == 32) {
      float v;
      std::memcpy(&v, p, 4);
      return v;
    }
    double v;
    std::memcpy(&v, p, 8);
    return v;
  }
  switch (f.bits) {
    case 8: return (p[0] - 128) / 128.0;
    case 16: return static_cast<int16_t>(p[0] | p[1] << 8) / 32768.0;
    case 24: return static_cast<int32_t>(p[0] << 8 | p[1] << 16 | static_cast<uint32_t>(p[2]) << 24) / 2147483648.0;
    default: return static_cast<int32_t>(Le32(p)) / 2147483648.0;
  }
}

}  // namespace

void EncodeFrames(const double* const* channels, std::size_t frames, const WavLayout& layout, uint8_t* out,
                  SampleStats* stats) {
  if (layout.isFloat && layout.bits == 32) EncodeFloat<float>(channels, frames, layout.channels, out, stats);
  else if (layout.isFloat) EncodeFloat<double>(channels, frames, layout.channels, out, stats);
  else if (layout.bits == 16) EncodePcm<2>(channels, frames, layout.channels, out, stats);
  else EncodePcm<3>(channels, frames, layout.channels, out, stats);
}

std::size_t DecodeFrames(const uint8_t* in, std::size_t frames, const WavLayout& layout, double* const* channels) {
  const std::size_t sampleBytes = layout.SampleBytes(), frameBytes = layout.FrameBytes();
  std::size_t nonFinite = 0;
  for (int c = 0; c < layout.channels; ++c) {
    const uint8_t* p = in + c * sampleBytes;
    double* dst = channels[c];
    for (std::size_t i = 0; i < frames; ++i, p += frameBytes) {
      double v = Decode(p, layout);
      bool finite = std::isfinite(v);
      nonFinite += !finite;
      dst[i] = finite ? v : 0.0;
    }
  }
  return nonFinite;
}
