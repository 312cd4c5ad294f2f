#include "tools/wav/SampleCodec.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <type_traits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr std::size_t kChunk = 256;  // frames quantised at a time, per channel

// One sample to an integer at scale: saturated at full scale, rounded half
// away from zero (as lround does); a sample that is not a finite number is
// silence.
inline int32_t QuantizeOne(double v, double scale, SampleStats* stats) {
  if (!std::isfinite(v)) v = 0.0;
  const double magnitude = std::fabs(v);
  stats->peak = magnitude > stats->peak ? magnitude : stats->peak;
  stats->clipped += magnitude > 1.0;
  const double scaled = std::min(std::max(v, -1.0), 1.0) * scale;
  return static_cast<int32_t>(scaled + std::copysign(0.5, scaled));
}

// One channel's samples to integers, as QuantizeOne does, two at a time
// where SSE2 is there (every x86-64 processor has it).
void Quantize(const double* src, std::size_t n, double scale, int32_t* q, SampleStats* stats) {
  std::size_t i = 0;
#if defined(__SSE2__)
  const __m128d one = _mm_set1_pd(1.0), minusOne = _mm_set1_pd(-1.0), factor = _mm_set1_pd(scale);
  const __m128d half = _mm_set1_pd(0.5), sign = _mm_set1_pd(-0.0);
  const __m128d largest = _mm_set1_pd(std::numeric_limits<double>::max());
  __m128d peak = _mm_set1_pd(stats->peak);
  __m128i clipped = _mm_setzero_si128();
  for (; i + 2 <= n; i += 2) {
    __m128d v = _mm_loadu_pd(src + i);
    const __m128d finite = _mm_cmple_pd(_mm_andnot_pd(sign, v), largest);  // false for NaN and infinity
    v = _mm_and_pd(v, finite);
    const __m128d magnitude = _mm_andnot_pd(sign, v);
    peak = _mm_max_pd(magnitude, peak);
    clipped = _mm_sub_epi64(clipped, _mm_castpd_si128(_mm_cmpgt_pd(magnitude, one)));
    const __m128d scaled = _mm_mul_pd(_mm_min_pd(_mm_max_pd(v, minusOne), one), factor);
    const __m128d rounded = _mm_add_pd(scaled, _mm_or_pd(half, _mm_and_pd(scaled, sign)));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(q + i), _mm_cvttpd_epi32(rounded));
  }
  double peaks[2];
  uint64_t counts[2];
  _mm_storeu_pd(peaks, peak);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(counts), clipped);
  stats->peak = std::max(peaks[0], peaks[1]);
  stats->clipped += counts[0] + counts[1];
#endif
  for (; i < n; ++i) q[i] = QuantizeOne(src[i], scale, stats);
}

// Little-endian integers of kBytes bytes, interleaved.
template <int kBytes>
void Pack(const int32_t* const* q, int channels, std::size_t n, uint8_t* out) {
  if (channels == 2) {
    // A stereo frame as one word; the spare bytes of the store are overwritten by the next frame.
    using Word = typename std::conditional<kBytes == 2, uint32_t, uint64_t>::type;
    const uint32_t mask = kBytes == 2 ? 0xFFFFu : 0xFFFFFFu;
    const int32_t* left = q[0];  // held here: stores through out could alias q
    const int32_t* right = q[1];
    for (std::size_t i = 0; i + 1 < n; ++i) {
      Word w = static_cast<Word>(static_cast<uint32_t>(left[i]) & mask) |
               static_cast<Word>(static_cast<uint32_t>(right[i]) & mask) << (8 * kBytes);
      std::memcpy(out + i * 2 * kBytes, &w, sizeof w);
    }
    if (n == 0) return;
  }
  const std::size_t from = channels == 2 ? n - 1 : 0;
  for (std::size_t i = from; i < n; ++i)
    for (int c = 0; c < channels; ++c) {
      uint8_t* p = out + (i * channels + c) * kBytes;
      const int32_t v = q[c][i];
      p[0] = static_cast<uint8_t>(v);
      p[1] = static_cast<uint8_t>(v >> 8);
      if (kBytes == 3) p[2] = static_cast<uint8_t>(v >> 16);
    }
}

double FullScale(int bits) { return bits == 16 ? 32767.0 : 8388607.0; }

template <int kBytes>
void EncodePcm(const double* const* channels, std::size_t frames, int count, uint8_t* out, SampleStats* stats) {
  const double scale = FullScale(8 * kBytes);
  int32_t scratch[kMaxChannels][kChunk];
  const int32_t* q[kMaxChannels];
  for (int c = 0; c < count; ++c) q[c] = scratch[c];
  for (std::size_t done = 0; done < frames; done += kChunk) {
    const std::size_t n = std::min(kChunk, frames - done);
    for (int c = 0; c < count; ++c) Quantize(channels[c] + done, n, scale, scratch[c], stats);
    Pack<kBytes>(q, count, n, out + done * count * kBytes);
  }
}

template <typename T>
void EncodeFloat(const double* const* channels, std::size_t frames, int count, uint8_t* out, SampleStats* stats) {
  for (int c = 0; c < count; ++c) {
    const double* src = channels[c];
    uint8_t* dst = out + c * sizeof(T);
    double peak = stats->peak;
    for (std::size_t i = 0; i < frames; ++i, dst += count * sizeof(T)) {
      const double sample = std::isfinite(src[i]) ? src[i] : 0.0;
      T v = static_cast<T>(sample);
      peak = std::max(peak, std::fabs(sample));
      std::memcpy(dst, &v, sizeof(T));
    }
    stats->peak = peak;
  }
}


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
    default: return static_cast<int32_t>(ReadLe32(p)) / 2147483648.0;
  }
}

}  // namespace

void QuantizeSamples(const double* samples, std::size_t count, int bits, int32_t* out, SampleStats* stats) {
  Quantize(samples, count, FullScale(bits), out, stats);
}

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
