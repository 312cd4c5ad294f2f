// ondivox snapshot: the bundle's editor pictured without a window, and the
// settings every command takes alike.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "SnapshotReference.h"
#include "ToolRunner.h"
#include "raster/Bitmap.h"
#include "raster/Png.h"
#include "raster/Resample.h"

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

// FNV-1a over the pixels' colours, row by row: a picture's fingerprint.
uint64_t Checksum(PX_IBitmap* b) {
  uint64_t h = 14695981039346656037ull;
  for (int y = 0; y < b->height(); ++y)
    for (int x = 0; x < b->width(); ++x) {
      const uint32_t p = Pixel(b, x, y);
      for (int k = 0; k < 24; k += 8) h = (h ^ ((p >> k) & 0xFF)) * 1099511628211ull;
    }
  return h;
}

// Mean distance per channel between two pictures of one size.
double MeanDistance(PX_IBitmap* a, PX_IBitmap* b) {
  double total = 0;
  for (int y = 0; y < a->height(); ++y)
    for (int x = 0; x < a->width(); ++x)
      for (int k = 0; k < 24; k += 8)
        total += std::abs(static_cast<int>((Pixel(a, x, y) >> k) & 0xFF) - static_cast<int>((Pixel(b, x, y) >> k) & 0xFF));
  return total / (3.0 * a->width() * a->height());
}

// Crisp edges: how many neighbours across and down differ in green (the
// light text on the dark ground) by more than half the range, in an area.
int CrispSteps(PX_IBitmap* b, int l, int t, int r, int bottom) {
  int steps = 0;
  auto green = [&](int x, int y) { return static_cast<int>((Pixel(b, x, y) >> 8) & 0xFF); };
  for (int y = t; y < bottom; ++y)
    for (int x = l; x < r; ++x)
      steps += (std::abs(green(x, y) - green(x + 1, y)) > 128) + (std::abs(green(x, y) - green(x, y + 1)) > 128);
  return steps;
}

// Each 2 x 2 block averaged into one pixel.
std::unique_ptr<PX_IBitmap> HalfSize(PX_IBitmap* b) {
  std::unique_ptr<PX_IBitmap> out(PX_Resample(b, b->width() / 2, b->height() / 2));
  for (int y = 0; y < out->height(); ++y)
    for (int x = 0; x < out->width(); ++x) {
      uint32_t p = 0;
      for (int k = 0; k < 24; k += 8) {
        int sum = 0;
        for (int j = 0; j < 4; ++j) sum += static_cast<int>((Pixel(b, 2 * x + j % 2, 2 * y + j / 2) >> k) & 0xFF);
        p |= static_cast<uint32_t>((sum + 2) / 4) << k;
      }
      out->pixels()[y * out->rowStride() + x] = 0xFF000000u | p;
    }
  return out;
}

TEST(Snapshot, DrawsTheFaceAtADisplayScaleSharply) {
  const std::vector<std::string> still = {"--program", "0", "--blocks", "1"};
  std::vector<std::string> doubled = still;
  doubled.insert(doubled.end(), {"--scale", "2"});
  int code = -1;
  auto big = Snap("scale2.png", doubled, &code);
  ASSERT_EQ(code, 0);
  ASSERT_TRUE(big);
  ASSERT_EQ(big->width(), 1100);
  ASSERT_EQ(big->height(), 730);
  EXPECT_EQ(Checksum(big.get()), kScaledSnapshotChecksum) << std::hex << Checksum(big.get());
  auto face = Snap("scale1.png", still);
  ASSERT_TRUE(face);

  // Sharp, not stretched. Halved, the 200 % face is the 100 % face but for
  // the finer detail; the 100 % face stretched to 200 % by the same filter the
  // artwork is resampled with has soft edges where the 200 % face has crisp
  // ones. Measured over the knob values of the top panel (face 20 ... 530 x
  // 160 ... 180), text drawn by the font cache at either size.
  auto halved = HalfSize(big.get());
  EXPECT_LT(MeanDistance(halved.get(), face.get()), kHalvedFaceDistance) << MeanDistance(halved.get(), face.get());
  std::unique_ptr<PX_IBitmap> stretched(PX_Resample(face.get(), 1100, 730));
  const int sharp = CrispSteps(big.get(), 40, 320, 1060, 360);
  const int blurred = CrispSteps(stretched.get(), 40, 320, 1060, 360);
  EXPECT_GT(sharp, 2 * blurred) << sharp << " against " << blurred;
}

TEST(Snapshot, ScalesOutsideOneToFourAreRefused) {
  for (const char* scale : {"0.5", "4.5", "0", "-2", "big", ""}) {
    int code = -1;
    auto b = Snap("badscale.png", {"--scale", scale}, &code);
    EXPECT_EQ(code, 2) << scale;
    EXPECT_FALSE(b) << scale;
  }
  auto odd = Snap("scale125.png", {"--scale", "1.25", "--blocks", "1"});
  ASSERT_TRUE(odd);
  EXPECT_EQ(odd->width(), 688);
  EXPECT_EQ(odd->height(), 456);
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
