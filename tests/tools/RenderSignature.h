// A render's signature: each channel summed three ways (plain, squared,
// weighted by the position in each 1000-frame stretch), so a change of
// level, shape or timing moves it, for renders held to references checked in.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "tools/wav/WavFile.h"

struct Signature {
  double sum[2], squares[2], weighted[2];
};

inline Signature SignatureOf(const WavAudio& audio) {
  Signature s = {};
  for (int c = 0; c < 2; ++c)
    for (std::size_t i = 0; i < audio.Frames(); ++i) {
      const double x = audio.channels[c][i];
      s.sum[c] += x;
      s.squares[c] += x * x;
      s.weighted[c] += x * static_cast<double>(i % 1000) / 1000.0;
    }
  return s;
}

// As a reference is written in the source: {{sum}, {squares}, {weighted}}.
inline std::string SignatureText(const Signature& s) {
  char text[512];
  std::snprintf(text, sizeof text, "{{%.17g, %.17g}, {%.17g, %.17g}, {%.17g, %.17g}}", s.sum[0], s.sum[1], s.squares[0],
                s.squares[1], s.weighted[0], s.weighted[1]);
  return text;
}

// The tolerance admits only the rounding a faster kernel may differ by.
inline void ExpectSignature(const Signature& got, const Signature& want) {
  auto expectClose = [](double g, double w, const char* what) {
    EXPECT_NEAR(g, w, 1e-6 + 1e-9 * std::fabs(w)) << what;
  };
  for (int c = 0; c < 2; ++c) {
    expectClose(got.sum[c], want.sum[c], "sum");
    expectClose(got.squares[c], want.squares[c], "squares");
    expectClose(got.weighted[c], want.weighted[c], "weighted");
  }
}
