#include "tools/ondivox/InputFeed.h"

#include <algorithm>

#include "tools/ondivox/ToolError.h"

InputFeed::InputFeed() : reader(std::make_unique<WavReader>()) {}
InputFeed::~InputFeed() = default;

void InputFeed::Open(const std::string& file, bool looped) {
  path = file;
  loop = looped;
  if (!reader->Open(path, &error)) throw ToolError(error);
  const int channels = reader->Layout().channels;
  if (channels > 2)
    throw ToolError(path + " has " + std::to_string(channels) + " channels; only mono or stereo can be mixed in");
}

bool InputFeed::Read(double* const* stereo, int32_t frames, std::size_t* got) {
  const bool mono = reader->Layout().channels == 1;
  double* at[2] = {stereo[0], stereo[1]};
  *got = 0;
  while (true) {
    std::size_t n = 0;
    if (!reader->Read(at, static_cast<std::size_t>(frames) - *got, &n, &error)) return false;
    if (mono) std::copy(at[0], at[0] + n, at[1]);
    *got += n;
    if (*got == static_cast<std::size_t>(frames) || !loop || reader->Frames() == 0) return true;
    // The end of a looped file: it starts again.
    at[0] += n;
    at[1] += n;
    if (!reader->Rewind(&error)) return false;
  }
}

bool InputFeed::Fill(double* const* stereo, int32_t frames) {
  std::size_t got = 0;
  if (!Read(stereo, frames, &got)) return false;
  for (int side = 0; side < 2; ++side) std::fill(stereo[side] + got, stereo[side] + frames, 0.0);
  return true;
}
