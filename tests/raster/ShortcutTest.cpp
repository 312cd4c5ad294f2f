// The copy kind's shortcuts (whole-word arithmetic at exact weights, the
// averaging copy, raw row copies) against the copy formula they stand for.
// The word arithmetic rounds each term down, so a shortcut may lie a step or
// two below the formula; anything further off is a fault in the shortcut or
// in the choice of it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <iomanip>

#include "RasterTestUtil.h"
#include "raster/Blit.h"
#include "raster/Combine.h"
#include "raster/Draw.h"

namespace {

constexpr int kSize = 6;

// A destination whose every pixel and channel differs.
PX_Pixel32 background(int x, int y) { return 0x9E3779B9u * static_cast<PX_Pixel32>(x + kSize * y + 1); }

// The source of the copies: a 4 x 4 pattern around the colour, drawn at (1, 1).
PX_Pixel32 sourcePixel(PX_Pixel32 colour, int i, int j) { return colour ^ (0x01030507u * static_cast<PX_Pixel32>(i + 4 * j)); }

std::unique_ptr<PX_MemBitmap> sourceOf(PX_Pixel32 colour) {
  auto s = makeBitmap(4, 4);
  for (int j = 0; j < 4; ++j)
    for (int i = 0; i < 4; ++i) setPixel(*s, i, j, sourcePixel(colour, i, j));
  return s;
}

void copy(PX_IBitmap* b, PX_Pixel32 colour, float opacity) {
  auto s = sourceOf(colour);
  PX_CopyArea(b, s.get(), 1, 1, nullptr, opacity, PX_COMBINE_COPY);
}

using Draw = std::function<void(PX_IBitmap*, PX_Pixel32)>;
using Weight = std::function<int(int x, int y)>;  // 0: the pixel is not drawn

struct Case {
  const char* what;
  Draw draw;
  Weight weight;
  int tolerance;  // per channel
  bool fromSource;  // the colour at (x, y) is the copy's source pixel, else the drawing colour
};

Weight everywhere(int k) {
  return [k](int, int) { return k; };
}
Weight row(int y0, int k) {
  return [=](int, int y) { return y == y0 ? k : 0; };
}
Weight column(int x0, int k) {
  return [=](int x, int) { return x == x0 ? k : 0; };
}
Weight diagonal(int k) {
  return [k](int x, int y) { return x == y ? k : 0; };
}
Weight copied(int k) {
  return [k](int x, int y) { return x >= 1 && x <= 4 && y >= 1 && y <= 4 ? k : 0; };
}

Draw fill(float opacity) {
  return [=](PX_IBitmap* b, PX_Pixel32 c) { PX_FillArea(b, 0, 0, kSize, kSize, c, opacity, PX_COMBINE_COPY); };
}
Draw line(int x1, int y1, int x2, int y2, float opacity, bool antialias = false) {
  return [=](PX_IBitmap* b, PX_Pixel32 c) { PX_LineInt(b, x1, y1, x2, y2, c, opacity, PX_COMBINE_COPY, antialias); };
}
Draw copyAt(float opacity) {
  return [=](PX_IBitmap* b, PX_Pixel32 c) { copy(b, c, opacity); };
}

const Case kCases[] = {
    {"fill at 1.0 stores the word", fill(1.0f), everywhere(256), 0, false},
    {"fill at 0.75", fill(0.75f), everywhere(192), 2, false},
    {"fill at 0.5", fill(0.5f), everywhere(128), 1, false},
    {"fill at 0.25", fill(0.25f), everywhere(64), 2, false},
    {"horizontal line at 1.0", line(5, 2, 0, 2, 1.0f), row(2, 256), 0, false},
    {"horizontal line at 0.75", line(0, 2, 5, 2, 0.75f), row(2, 192), 2, false},
    {"vertical line at 0.5", line(3, 5, 3, 0, 0.5f), column(3, 128), 1, false},
    {"vertical line at 0.25", line(3, 0, 3, 5, 0.25f), column(3, 64), 2, false},
    {"diagonal at 1.0", line(0, 0, 5, 5, 1.0f), diagonal(256), 0, false},
    {"diagonal at 0.5 averages", line(5, 5, 0, 0, 0.5f), diagonal(128), 1, false},
    {"antialiased diagonal: three quarters on it, a quarter beside it", line(0, 0, 5, 5, 1.0f, true),
     [](int x, int y) { return x == y ? 192 : (std::abs(x - y) == 1 ? 64 : 0); }, 2, false},
    {"filled circle at 0.5 averages",
     [](PX_IBitmap* b, PX_Pixel32 c) { PX_CircleFilled(b, 2, 2, 1.0f, c, 0.5f, PX_COMBINE_COPY, false); },
     [](int x, int y) { return std::abs(x - 2) + std::abs(y - 2) <= 1 ? 128 : 0; }, 1, false},
    {"copy at 1.0 copies rows", copyAt(1.0f), copied(256), 0, true},
    {"copy above full strength copies rows", copyAt(1.5f), copied(256), 0, true},
    {"copy at 0.5 averages", copyAt(0.5f), copied(128), 1, true},
};

const PX_Pixel32 kColours[] = {0xFFFFFFFF, 0x00000000, 0x80FF4010, 0x12345678, 0xC8017FFE};

}  // namespace

TEST(Shortcuts, GiveWhatTheCopyFormulaGives) {
  for (const Case& c : kCases) {
    for (PX_Pixel32 colour : kColours) {
      auto b = makeBitmap(kSize, kSize);
      for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) setPixel(*b, x, y, background(x, y));
      c.draw(b.get(), colour);
      for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
          PX_Pixel32 before = background(x, y), got = pixelAt(*b, x, y);
          int k = c.weight(x, y);
          SCOPED_TRACE(testing::Message() << c.what << ", colour 0x" << std::hex << colour << " at " << std::dec
                                          << x << "," << y << ": got 0x" << std::hex << got);
          if (k == 0) {
            EXPECT_EQ(got, before);
            continue;
          }
          PX_Pixel32 ink = c.fromSource ? sourcePixel(colour, x - 1, y - 1) : colour;
          PX_Pixel32 want = PX_CombinePixel(PX_COMBINE_COPY, before, PX_Source::of(ink), k);
          for (int shift = 0; shift < 32; shift += 8) {
            int difference = static_cast<int>((got >> shift) & 0xFF) - static_cast<int>((want >> shift) & 0xFF);
            EXPECT_LE(std::abs(difference), c.tolerance) << "formula gives 0x" << std::hex << want;
          }
        }
    }
  }
}

// Where the rounding differs: white over 0x01 in every channel, where the
// formula at half weight gives 0x80.
TEST(Shortcuts, RoundAsTheirOwnArithmeticDoes) {
  struct Exact {
    const char* what;
    Draw draw;
    PX_Pixel32 expected;
  } cases[] = {
      {"halves of the words, each rounded down", fill(0.5f), 0x7F7F7F7F},
      {"the averaging copy halves the words too",
       [](PX_IBitmap* b, PX_Pixel32 c) {
         auto source = makeBitmap(4, 4, c);
         PX_CopyArea(b, source.get(), 1, 1, nullptr, 0.5f, PX_COMBINE_COPY);
       },
       0x7F7F7F7F},
      {"a diagonal at half weight averages the sum", line(0, 0, 5, 5, 0.5f), 0x80808080},
      {"a circle at half weight averages the sum",
       [](PX_IBitmap* b, PX_Pixel32 c) { PX_CircleFilled(b, 2, 2, 1.0f, c, 0.5f, PX_COMBINE_COPY, false); },
       0x80808080},
      {"three quarters: 0x7F + 0x3F + 0", fill(0.75f), 0xBEBEBEBE},
      {"a quarter: 0x3F + 0 + 0", fill(0.25f), 0x3F3F3F3F},
  };
  for (const Exact& c : cases) {
    auto b = makeBitmap(kSize, kSize, 0x01010101);
    c.draw(b.get(), 0xFFFFFFFF);
    EXPECT_EQ(pixelAt(*b, 2, 2), c.expected) << c.what << ": got 0x" << std::hex << pixelAt(*b, 2, 2);
  }
}
