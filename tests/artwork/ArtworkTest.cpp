// The artwork as the editor sees it: decoded from the resources compiled into
// this program, by number. Checks the promises the editor's drawing relies on:
// sizes and frame layouts, opaque pictures where they are copied without
// blending, round knob faces whose pointer is up at rest, selector frames lit
// in position order, and the on/off frames in off-then-on order.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "raster/Bitmap.h"
#include "raster/Png.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

std::unique_ptr<PX_IBitmap> Load(int id) {
  // A null module is this program on Windows and the compiled-in tables elsewhere.
  return std::unique_ptr<PX_IBitmap>(PX_ReadPngResource(nullptr, id, nullptr));
}

PX_Pixel32 At(PX_IBitmap& b, int x, int y) { return b.pixels()[y * b.rowStride() + x]; }

// The teal of pointers, lit marks and lit buttons; the faces themselves are grey.
bool IsAccent(PX_Pixel32 p) { return PX_Alpha(p) > 128 && PX_Green(p) - PX_Red(p) > 80; }
// The bright lit mark of the selector knobs (the pointer is a darker teal).
bool IsLitMark(PX_Pixel32 p) { return IsAccent(p) && PX_Red(p) > 110; }

struct Centroid {
  double x = 0, y = 0;
  int count = 0;
};

template <class Pred>
Centroid Find(PX_IBitmap& b, int left, int width, Pred pred) {
  Centroid c;
  for (int y = 0; y < b.height(); ++y)
    for (int x = left; x < left + width; ++x)
      if (pred(At(b, x, y))) {
        c.x += x - left + 0.5;
        c.y += y + 0.5;
        ++c.count;
      }
  if (c.count) {
    c.x /= c.count;
    c.y /= c.count;
  }
  return c;
}

struct Picture {
  int id;
  const char* name;
  int width, height;
  bool opaque;
};

const Picture kPictures[] = {
    {100, "bg", 550, 365, true},       {101, "knob", 58, 58, false},
    {102, "knob2", 40, 40, false},     {103, "wave", 464, 58, false},
    {104, "lfo_wave", 280, 40, false}, {105, "btn", 68, 23, true},
    {106, "on", 54, 16, false},        {107, "lfo_tg", 80, 84, false},
    {108, "lfo_tg_", 90, 109, true},   {109, "rate_sync", 48, 21, false},
    {110, "btn2", 80, 23, true},
};

TEST(Artwork, EveryPictureIsEmbeddedAtItsSize) {
  for (const Picture& p : kPictures) {
    SCOPED_TRACE(p.name);
    auto b = Load(p.id);
    ASSERT_TRUE(b) << "resource " << p.id << " missing or undecodable";
    EXPECT_EQ(b->width(), p.width);
    EXPECT_EQ(b->height(), p.height);
    if (!p.opaque) continue;
    int seeThrough = 0;
    for (int y = 0; y < b->height(); ++y)
      for (int x = 0; x < b->width(); ++x) seeThrough += PX_Alpha(At(*b, x, y)) != 255;
    EXPECT_EQ(seeThrough, 0) << "copied without blending, so it must be opaque";
  }
}

// The editor rotates knob faces inside their square: anything outside the
// inscribed circle would show as a turning square, and the pointer must sit
// straight above the centre at rest.
TEST(Artwork, KnobFacesAreRoundWithThePointerUp) {
  for (int id : {101, 102}) {
    SCOPED_TRACE(id);
    auto b = Load(id);
    ASSERT_TRUE(b);
    const double r = b->width() / 2.0;
    int outside = 0;
    for (int y = 0; y < b->height(); ++y)
      for (int x = 0; x < b->width(); ++x)
        if (std::hypot(x + 0.5 - r, y + 0.5 - r) > r) outside += PX_Alpha(At(*b, x, y)) != 0;
    EXPECT_EQ(outside, 0);
    Centroid pointer = Find(*b, 0, b->width(), IsAccent);
    ASSERT_GT(pointer.count, 0);
    EXPECT_NEAR(pointer.x, r, 0.75);
    EXPECT_LT(pointer.y, r * 0.6);
  }
}

// Frame i of a selector strip is lit at the i-th of its positions, which run
// clockwise over 300 degrees from lower left (-150, 0 is up) to lower right.
TEST(Artwork, SelectorFramesAreLitInPositionOrder) {
  struct Strip {
    int id, frames, size;
  };
  for (Strip s : {Strip{103, 8, 58}, Strip{104, 7, 40}}) {
    auto b = Load(s.id);
    ASSERT_TRUE(b);
    for (int i = 0; i < s.frames; ++i) {
      SCOPED_TRACE(testing::Message() << "strip " << s.id << " frame " << i + 1);
      Centroid mark = Find(*b, i * s.size, s.size, IsLitMark);
      ASSERT_GT(mark.count, 0);
      const double half = s.size / 2.0;
      const double angle = std::atan2(mark.x - half, half - mark.y) * 180.0 / kPi;
      EXPECT_NEAR(angle, -150.0 + i * 300.0 / (s.frames - 1), 4.0);
    }
  }
}

TEST(Artwork, OnOffFramesShowOffFirst) {
  auto b = Load(106);
  ASSERT_TRUE(b);
  const int frame = b->width() / 2;
  EXPECT_EQ(Find(*b, 0, frame, IsAccent).count, 0);
  EXPECT_GT(Find(*b, frame, frame, IsAccent).count, frame * b->height() / 2);
}

}  // namespace
