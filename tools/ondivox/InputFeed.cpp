#include "tools/ondivox/InputFeed.h"

#include <algorithm>

#include "tools/ondivox/ToolError.h"

void InputFeed::Open(const std::string& path) {
  if (!reader.Open(path, &error)) throw ToolError(error);
  const int channels = reader.Layout().channels;
  if (channels > 2)
    throw ToolError(path + " has " + std::to_string(channels) + " channels; only mono or stereo can be mixed in");
}

bool InputFeed::Fill(double* const* stereo, int32_t frames) {
  std::size_t got = 0;
  if (!reader.Read(stereo, static_cast<std::size_t>(frames), &got, &error)) return false;
  const bool mono = reader.Layout().channels == 1;
  if (mono) std::copy(stereo[0], stereo[0] + got, stereo[1]);
  for (int side = 0; side < 2; ++side) std::fill(stereo[side] + got, stereo[side] + frames, 0.0);
  return true;
}
