#include "tools/decode/Resampler.h"

#include <soxr.h>

Resampler::~Resampler() {
  if (resampler) soxr_delete(resampler);
}

bool Resampler::Open(double inRate, double outRate, int channels, std::string* error) {
  const soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT64_S, SOXR_FLOAT64_S);
  const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
  soxr_error_t why = nullptr;
  resampler = soxr_create(inRate, outRate, static_cast<unsigned>(channels), &why, &io, &quality, nullptr);
  if (!resampler) *error = std::string("cannot resample: ") + (why ? why : "unknown error");
  return resampler != nullptr;
}

bool Resampler::Process(const double* const* in, std::size_t inFrames, std::size_t* used, double* const* out,
                        std::size_t outFrames, std::size_t* made, std::string* error) {
  *used = *made = 0;
  soxr_out_t to = const_cast<double**>(out);
  const soxr_error_t why = soxr_process(resampler, in, in ? inFrames : 0, used, to, outFrames, made);
  if (why) *error = std::string("cannot resample: ") + why;
  return !why;
}

void Resampler::Clear() { soxr_clear(resampler); }
