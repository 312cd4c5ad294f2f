// IFrameStrip: artwork holding N equal frames side by side.
//
// Whether the frames run across or down is not stored: every drawing call
// says it. The bitmap belongs to the process-wide image cache.
#pragma once

#include <cstdint>

class PX_IBitmap;

struct IFrameStrip {
  PX_IBitmap* image = nullptr;
  int32_t W = 0, H = 0;  // size of the whole image
  int32_t N = 1;         // frames, at least 1

  IFrameStrip() = default;
  IFrameStrip(PX_IBitmap* img, int32_t w, int32_t h, int32_t n) : image(img), W(w), H(h), N(n) {}
};

// The 1-based frame that shows a normalised value: round((N-1)*value)+1,
// halves away from zero, kept within 1..N.
int32_t FrameForValue(int32_t frames, double value);
