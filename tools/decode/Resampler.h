// Resampler: a stream of one to eight channels from one rate to another,
// with libsoxr at its high quality (20 bits, a pass band to 91 % of the
// lower Nyquist frequency, linear phase).
#pragma once

#include <cstddef>
#include <string>

struct soxr;

class Resampler {
 public:
  ~Resampler();

  bool Open(double inRate, double outRate, int channels, std::string* error);
  // Converts up to inFrames frames of in into up to outFrames of out
  // (channel arrays); *used and *made say how many. in null: the end of
  // the input, for the last frames.
  bool Process(const double* const* in, std::size_t inFrames, std::size_t* used, double* const* out,
               std::size_t outFrames, std::size_t* made, std::string* error);
  // Forgets the stream so far, to start it again.
  void Clear();

 private:
  soxr* resampler = nullptr;
};
