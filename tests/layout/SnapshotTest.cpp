#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "LayoutHost.h"
#include "tools/snapshot/Gesture.h"

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
    g.Replay(&h);  // the editor without a window, as ondivox snapshot works it
    for (int i = 0; i < 30; ++i) h.Ed()->Tick();  // a wheel's gesture ends once it rests
    const double now = h.Param(c.param)->value;
    EXPECT_TRUE(c.up ? now > c.before : now < c.before) << c.option << ": " << now;
    const std::string log = h.TakeLog(), p = std::to_string(c.param);
    EXPECT_EQ(log.rfind("B" + p + " P" + p, 0), 0u) << c.option << ": " << log;
    EXPECT_EQ(log.substr(log.size() - p.size() - 1), "E" + p) << c.option << ": " << log;
  }
}

}  // namespace
