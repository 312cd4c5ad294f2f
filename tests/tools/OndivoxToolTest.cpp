// The ondivox command line, run as a separate program on the built bundle.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>

#include "ToolRunner.h"
#include "tools/wav/WavFile.h"

namespace {

WavAudio Read(const std::string& path) {
  WavAudio audio;
  std::string error;
  EXPECT_TRUE(ReadWav(path, &audio, &error)) << error;
  return audio;
}

double Peak(const WavAudio& audio) {
  double peak = 0.0;
  for (const auto& ch : audio.channels)
    for (double x : ch) peak = std::max(peak, std::fabs(x));
  return peak;
}

int CountLines(const std::string& text) {
  int n = 0;
  for (char c : text) n += c == '\n';
  return n;
}

}  // namespace

TEST(OndivoxTool, InfoListsClassParametersAndPrograms) {
  ToolRun run = RunTool("info");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("{F2AEE70D-00DE-4F4E-5A74-76416B75686A}"), std::string::npos);
  EXPECT_NE(run.out.find("parameters (27)"), std::string::npos);
  EXPECT_NE(run.out.find("Base Freq"), std::string::npos);
  EXPECT_NE(run.out.find("programs (\"Factory Presets\", 150)"), std::string::npos);
  EXPECT_NE(run.out.find("Solfeggio MI - 528 Hz LFO"), std::string::npos);
}

TEST(OndivoxTool, RendersAProgramByNameOrNumberInEachFormat) {
  const std::string dir = ScratchDir("render");
  ToolRun byName = RunTool("render --program 'Solfeggio MI - 528 Hz LFO' --seconds 1 -o " + dir + "/a.wav");
  ASSERT_EQ(byName.exitCode, 0) << byName.err;
  EXPECT_EQ(CountLines(byName.out), 1);
  EXPECT_NE(byName.out.find("Solfeggio MI - 528 Hz LFO"), std::string::npos);
  int number = -1;
  std::sscanf(byName.out.c_str() + byName.out.find("program ") + 8, "%d", &number);
  ASSERT_GT(number, 0);

  ToolRun byNumber = RunTool("render --program " + std::to_string(number) + " --seconds 1 --format f32 -o " +
                             dir + "/b.wav");
  ASSERT_EQ(byNumber.exitCode, 0) << byNumber.err;
  WavAudio a = Read(dir + "/a.wav"), b = Read(dir + "/b.wav");
  ASSERT_EQ(a.Frames(), 48000u);
  ASSERT_EQ(b.Frames(), 48000u);
  EXPECT_EQ(a.sampleRate, 48000.0);
  EXPECT_GT(Peak(b), 0.05);
  for (std::size_t i = 0; i < a.Frames(); ++i) ASSERT_NEAR(a.channels[0][i], b.channels[0][i], 2.0 / 8388607);

  ToolRun pcm16 = RunTool("render --seconds 0.5 --rate 44100 --format 16 -o " + dir + "/c.wav");
  ASSERT_EQ(pcm16.exitCode, 0) << pcm16.err;
  WavAudio c = Read(dir + "/c.wav");
  EXPECT_EQ(c.sampleRate, 44100.0);
  EXPECT_EQ(c.Frames(), 22050u);
}

TEST(OndivoxTool, SettingsByTitleTextOrIdAgree) {
  const std::string dir = ScratchDir("settings");
  ToolRun byText = RunTool("render --seconds 0.5 --set Wave=Saw --set 'Base Freq=440 Hz' --format f32 -o " +
                           dir + "/a.wav");
  ToolRun byId = RunTool("render --seconds 0.5 --set 3=2 --set 0=440 --format f32 -o " + dir + "/b.wav");
  ToolRun plain = RunTool("render --seconds 0.5 --format f32 -o " + dir + "/c.wav");
  ASSERT_EQ(byText.exitCode, 0) << byText.err;
  ASSERT_EQ(byId.exitCode, 0) << byId.err;
  ASSERT_EQ(plain.exitCode, 0) << plain.err;
  WavAudio a = Read(dir + "/a.wav"), b = Read(dir + "/b.wav"), c = Read(dir + "/c.wav");
  EXPECT_EQ(a.channels, b.channels);
  EXPECT_NE(a.channels, c.channels);
  // "Isochronic" names two parameters; the value decides which is meant.
  EXPECT_EQ(RunTool("render --seconds 0.1 --set Isochronic=Off -o " + dir + "/d.wav").exitCode, 0);
  EXPECT_EQ(RunTool("render --seconds 0.1 --set Isochronic=7.83 -o " + dir + "/d.wav").exitCode, 0);
}

TEST(OndivoxTool, StateSavedAndShownAndRenderedFrom) {
  const std::string dir = ScratchDir("state");
  ToolRun save = RunTool("state save --program 3 --set Volume=42 -o " + dir + "/s.state");
  ASSERT_EQ(save.exitCode, 0) << save.err;
  std::ifstream file(dir + "/s.state", std::ios::binary | std::ios::ate);
  EXPECT_EQ(file.tellg(), 200);

  ToolRun show = RunTool("state show " + dir + "/s.state");
  ASSERT_EQ(show.exitCode, 0) << show.err;
  EXPECT_NE(show.out.find("Volume         42 %"), std::string::npos) << show.out;

  ToolRun fromState = RunTool("render --seconds 0.5 --format f32 --state " + dir + "/s.state -o " + dir + "/a.wav");
  ToolRun direct = RunTool("render --seconds 0.5 --format f32 --program 3 --set Volume=42 -o " + dir + "/b.wav");
  ASSERT_EQ(fromState.exitCode, 0) << fromState.err;
  ASSERT_EQ(direct.exitCode, 0) << direct.err;
  EXPECT_EQ(Read(dir + "/a.wav").channels, Read(dir + "/b.wav").channels);
}

TEST(OndivoxTool, InputIsMixedUnderTheTone) {
  const std::string dir = ScratchDir("input");
  WavAudio input;
  input.sampleRate = 48000.0;
  input.channels.assign(1, std::vector<double>(24000));
  for (std::size_t i = 0; i < 24000; ++i) input.channels[0][i] = 0.25 * std::sin(i * 0.01);
  std::string error;
  ASSERT_TRUE(WriteWav(dir + "/in.wav", input, WavFormat::kFloat64, &error)) << error;

  ToolRun mixed = RunTool("render --input " + dir + "/in.wav --format f64 -o " + dir + "/mixed.wav");
  ToolRun alone = RunTool("render --seconds 0.5 --format f64 -o " + dir + "/alone.wav");
  ASSERT_EQ(mixed.exitCode, 0) << mixed.err;
  ASSERT_EQ(alone.exitCode, 0) << alone.err;
  WavAudio m = Read(dir + "/mixed.wav"), a = Read(dir + "/alone.wav");
  ASSERT_EQ(m.Frames(), 24000u);  // the input's length
  for (int side = 0; side < 2; ++side)
    for (std::size_t i = 0; i < 24000; i += 97)
      ASSERT_NEAR(m.channels[side][i] - a.channels[side][i], input.channels[0][i], 1e-9) << side << " " << i;
}

TEST(OndivoxTool, MistakesGiveOneLineAndAnExitCode) {
  const std::string dir = ScratchDir("errors");
  std::ofstream(dir + "/junk.wav") << "not a wav file";
  std::ofstream(dir + "/short.state") << "12345";
  WavAudio at48k;
  at48k.sampleRate = 48000.0;
  at48k.channels.assign(2, std::vector<double>(100, 0.0));
  std::string error;
  ASSERT_TRUE(WriteWav(dir + "/in.wav", at48k, WavFormat::kPcm16, &error)) << error;
  struct Case { std::string args; const char* says; };
  const Case cases[] = {
      {"render --program 'No Such Program' -o " + dir + "/x.wav", "no program named"},
      {"render --program 150 -o " + dir + "/x.wav", "no program 150"},
      {"render --set Nothing=1 -o " + dir + "/x.wav", "unknown parameter 'Nothing'"},
      {"render --set Volume=101 -o " + dir + "/x.wav", "outside"},
      {"render --set Wave=Noise -o " + dir + "/x.wav", "bad value for Wave"},
      {"render --set Isochronic=1 -o " + dir + "/x.wav", "more than one"},
      {"render --seconds -1 -o " + dir + "/x.wav", "--seconds"},
      {"render --input " + dir + "/missing.wav -o " + dir + "/x.wav", "cannot read"},
      {"render --input " + dir + "/junk.wav -o " + dir + "/x.wav", "not a WAV file"},
      {"render --input " + dir + "/in.wav --rate 44100 -o " + dir + "/x.wav", "48000 Hz"},
      {"render --state " + dir + "/short.state -o " + dir + "/x.wav", "not a state file"},
      {"state show " + dir + "/short.state", "not a state file"},
      {"render --bundle " + dir + " -o " + dir + "/x.wav", "cannot load"},
      {"render --format 12 -o " + dir + "/x.wav", "--format"},
      {"render --seconds 1", "needs -o"},
      {"frobnicate", "unknown command"},
  };
  for (const Case& c : cases) {
    ToolRun run = RunTool(c.args);
    EXPECT_NE(run.exitCode, 0) << c.args;
    EXPECT_NE(run.err.find(c.says), std::string::npos) << c.args << "\n" << run.err;
    EXPECT_EQ(run.err.rfind("ondivox: ", 0), 0u) << run.err;
    EXPECT_TRUE(run.out.empty()) << c.args;
  }
}
