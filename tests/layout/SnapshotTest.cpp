#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "LayoutHost.h"
#include "raster/Bitmap.h"
#include "raster/Png.h"
#include "tools/snapshot/Gesture.h"
#include "tools/snapshot/SnapshotCommand.h"

namespace {

TEST(SnapshotGesture, ParsesEachFormAndRefusesMalformedOnes) {
  struct Case {
    const char* option;
    const char* value;
    bool ok;
    Gesture::Kind kind;
    int32_t x, y, dx, dy, notches;
  };
  const Case cases[] = {
      {"--click", "49,130", true, Gesture::kClick, 49, 130, 0, 0, 0},
      {"--rclick", "201,130", true, Gesture::kRightClick, 201, 130, 0, 0, 0},
      {"--drag", "49,130,0,-40", true, Gesture::kDrag, 49, 130, 0, -40, 0},
      {"--wheel", "453,129,-3", true, Gesture::kWheel, 453, 129, 0, 0, -3},
      {"--click", "49", false, Gesture::kClick, 0, 0, 0, 0, 0},
      {"--click", "49,130,1", false, Gesture::kClick, 0, 0, 0, 0, 0},
      {"--drag", "1,2,3,x", false, Gesture::kClick, 0, 0, 0, 0, 0},
      {"--wheel", "1,,2", false, Gesture::kClick, 0, 0, 0, 0, 0},
      {"--click", "", false, Gesture::kClick, 0, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    Gesture g;
    std::string error;
    const bool ok = Gesture::Parse(c.option, c.value, &g, &error);
    ASSERT_EQ(ok, c.ok) << c.option << " " << c.value;
    if (!ok) {
      EXPECT_NE(error.find(c.option), std::string::npos) << error;
      continue;
    }
    EXPECT_EQ(g.kind, c.kind);
    EXPECT_EQ(g.x, c.x);
    EXPECT_EQ(g.y, c.y);
    EXPECT_EQ(g.dx, c.dx);
    EXPECT_EQ(g.dy, c.dy);
    EXPECT_EQ(g.notches, c.notches);
  }
}

TEST(SnapshotGesture, ReplayedGesturesEditTheParameterUnderThePointer) {
  struct Case {
    const char* option;
    const char* value;
    int param;
    double before;
    bool up;  // the value rises
  };
  const Case cases[] = {
      {"--drag", "49,130,0,-40", kBaseFreq, 200.0, true},
      {"--wheel", "506,129,-3", kVolume, 90.0, false},
      {"--click", "274,139", kIsoOn, 1.0, false},
  };
  for (const Case& c : cases) {
    LayoutHost h;
    h.Start();
    Gesture g;
    std::string error;
    ASSERT_TRUE(Gesture::Parse(c.option, c.value, &g, &error)) << error;
    g.Replay(h.Ed());
    for (int i = 0; i < 30; ++i) h.Ed()->Tick();  // a wheel's gesture ends once it rests
    const double now = h.Param(c.param)->value;
    EXPECT_TRUE(c.up ? now > c.before : now < c.before) << c.option << ": " << now;
    const std::string log = h.TakeLog(), p = std::to_string(c.param);
    EXPECT_EQ(log.rfind("B" + p + " P" + p, 0), 0u) << c.option << ": " << log;
    EXPECT_EQ(log.substr(log.size() - p.size() - 1), "E" + p) << c.option << ": " << log;
  }
}

// Runs the command and reads its picture back; null when it wrote none.
std::unique_ptr<PX_IBitmap> Snap(const std::string& file, std::vector<std::string> args, int* code = nullptr) {
  std::remove(file.c_str());
  args.push_back("-o");
  args.push_back(file);
  const int rc = RunSnapshot(args);
  if (code) *code = rc;
  return std::unique_ptr<PX_IBitmap>(PX_ReadPngFile(file.c_str(), nullptr));
}

uint32_t Pixel(PX_IBitmap* b, int x, int y) { return b->pixels()[y * b->rowStride() + x] & 0xFFFFFFu; }

std::vector<uint32_t> Track(PX_IBitmap* b, int from) {
  std::vector<uint32_t> row;
  for (int x = from; x < from + 201; ++x) row.push_back(Pixel(b, x, 324));
  return row;
}

TEST(Snapshot, WritesTheFaceAndTheLfoBarsMoveBetweenSnapshots) {
  const std::vector<std::string> program = {"--program", "Left - Right balance", "--set", "LFO1 Rate=1/4"};
  std::vector<std::string> early = program, later = program;
  early.insert(early.end(), {"--blocks", "2"});
  later.insert(later.end(), {"--blocks", "12"});
  int code = -1;
  auto a = Snap("layout_snapshot_a.png", early, &code);
  ASSERT_EQ(code, 0);
  ASSERT_TRUE(a);
  EXPECT_EQ(a->width(), 550);
  EXPECT_EQ(a->height(), 365);
  auto b = Snap("layout_snapshot_b.png", later);
  ASSERT_TRUE(b);
  EXPECT_NE(Track(a.get(), 22), Track(b.get(), 22)) << "LFO 1 on Pan moves";
}

TEST(Snapshot, GesturesReachTheParameters) {
  // A click on LFO 1's drop-down, then on "Round" (the fourth of six names) in its list.
  auto picked = Snap("layout_snapshot_c.png", {"--click", "124,222", "--click", "104,294"});
  auto plain = Snap("layout_snapshot_d.png", {});
  ASSERT_TRUE(picked && plain);
  EXPECT_NE(Track(picked.get(), 22), Track(plain.get(), 22)) << "LFO 1 now runs on Round";
}

TEST(Snapshot, RefusesBadInputAndWritesNothing) {
  struct Case {
    std::vector<std::string> args;
    int code;
  };
  const Case cases[] = {
      {{"--program", "No Such Program"}, 1},
      {{"--program", "999"}, 1},
      {{"--set", "Volume=loud"}, 1},
      {{"--set", "Nothing=1"}, 1},
      {{"--state", "layout_no_such_state.bin"}, 1},
      {{"--click", "1"}, 2},
      {{"--blocks", "0"}, 2},
      {{"--colour", "red"}, 2},
  };
  for (const Case& c : cases) {
    int code = -1;
    auto b = Snap("layout_snapshot_bad.png", c.args, &code);
    EXPECT_EQ(code, c.code) << c.args[0] << " " << c.args[1];
    EXPECT_FALSE(b) << c.args[0];
  }
  EXPECT_EQ(RunSnapshot({"--blocks", "3"}), 2) << "no output named";
}

}  // namespace
