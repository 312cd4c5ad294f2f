// ondivox snapshot: the bundle's editor pictured without a window, and the
// settings every command takes alike.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "ToolRunner.h"
#include "raster/Bitmap.h"
#include "raster/Png.h"

namespace {

// Runs ondivox snapshot on the bundle and reads its picture back; null when
// it wrote none.
std::unique_ptr<PX_IBitmap> Snap(const std::string& name, const std::vector<std::string>& args,
                                 int* code = nullptr) {
  const std::string file = ScratchDir("snapshot") + "/" + name;
  std::remove(file.c_str());
  std::string line = "snapshot";
  for (const std::string& a : args) line += " \"" + a + "\"";
  const ToolRun run = RunTool(line + " -o \"" + file + "\"");
  if (code) *code = run.exitCode;
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
  auto a = Snap("a.png", early, &code);
  ASSERT_EQ(code, 0);
  ASSERT_TRUE(a);
  EXPECT_EQ(a->width(), 550);
  EXPECT_EQ(a->height(), 365);
  auto b = Snap("b.png", later);
  ASSERT_TRUE(b);
  EXPECT_NE(Track(a.get(), 22), Track(b.get(), 22)) << "LFO 1 on Pan moves";
}

TEST(Snapshot, GesturesReachTheParameters) {
  // A click on LFO 1's drop-down, then on "Round" (the fourth of six names) in its list.
  auto picked = Snap("c.png", {"--click", "124,222", "--click", "104,294"});
  auto plain = Snap("d.png", {});
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
    auto b = Snap("bad.png", c.args, &code);
    EXPECT_EQ(code, c.code) << c.args[0] << " " << c.args[1];
    EXPECT_FALSE(b) << c.args[0];
  }
  EXPECT_EQ(RunTool("snapshot --blocks 3").exitCode, 2) << "no output named";
}

// The same --set text is taken, or refused, by every command that takes one.
TEST(Snapshot, SettingsAreTakenAndRefusedAlikeByEveryCommand) {
  struct Case {
    const char* set;
    int code;  // 0 taken, 1 refused, 2 not a setting at all
  };
  const Case cases[] = {
      {"Base Freq=432", 0}, {"Base Freq=432 Hz", 0}, {"base freq=432", 0}, {"0=432", 0},
      {"Wave=Saw", 0},      {"wave=saw", 0},         {"Volume=50 %", 0},   {"Bypass=On", 0},
      {"Base Freq=432 kHz", 1}, {"Volume=loud", 1}, {"Volume=101", 1},  {"Volume=nan", 1},
      {"Nothing=1", 1},     {"Wave=Sawtooth", 1},    {"Volume", 2},
  };
  const std::string dir = ScratchDir("settings");
  const std::string commands[] = {"render --seconds 0.05 --quiet -o \"" + dir + "/out.wav\"",
                                  "state save -o \"" + dir + "/out.state\"",
                                  "snapshot --blocks 1 -o \"" + dir + "/out.png\""};
  for (const Case& c : cases)
    for (const std::string& command : commands) {
      const ToolRun run = RunTool(command + " --set \"" + c.set + "\"");
      EXPECT_EQ(run.exitCode, c.code) << command << " --set " << c.set << ": " << run.err;
    }
}

// Both commands that play the transport take the same tempos.
TEST(Snapshot, TemposAreTakenAndRefusedAlikeByRenderAndSnapshot) {
  struct Case {
    const char* tempo;
    int code;
  };
  const Case cases[] = {{"10", 0}, {"999", 0}, {"0.5", 0}, {"0", 2}, {"-60", 2}, {"1000", 2}, {"fast", 2}};
  const std::string dir = ScratchDir("tempos");
  const std::string commands[] = {"render --seconds 0.05 --quiet -o \"" + dir + "/out.wav\"",
                                  "snapshot --blocks 1 -o \"" + dir + "/out.png\""};
  for (const Case& c : cases)
    for (const std::string& command : commands) {
      const ToolRun run = RunTool(command + " --tempo " + c.tempo);
      EXPECT_EQ(run.exitCode, c.code) << command << " --tempo " << c.tempo << ": " << run.err;
    }
}

}  // namespace
