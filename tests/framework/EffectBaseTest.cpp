#include <gtest/gtest.h>

#include <vector>

#include "framework/HostKind.h"
#include "tests/framework/TestPlugin.h"

namespace {

TEST(EffectBase, ChannelStringParsing) {
  struct Case {
    const char* io;
    std::vector<std::pair<int, int>> pairs;
    int inputs, outputs;
  } cases[] = {
      {"1-1 2-2", {{1, 1}, {2, 2}}, 2, 2},
      {"2-2", {{2, 2}}, 2, 2},
      {"0-2 1-2", {{0, 2}, {1, 2}}, 1, 2},
      {"junk", {{0, 0}}, 0, 0},
  };
  for (const Case& c : cases) {
    TestPlugin plug(c.io);
    SCOPED_TRACE(c.io);
    ASSERT_EQ(plug.ChannelPairs().size(), c.pairs.size());
    for (std::size_t i = 0; i < c.pairs.size(); ++i) {
      EXPECT_EQ(plug.ChannelPairs()[i].inputs, c.pairs[i].first);
      EXPECT_EQ(plug.ChannelPairs()[i].outputs, c.pairs[i].second);
    }
    EXPECT_EQ(plug.InputChannelCount(), c.inputs);
    EXPECT_EQ(plug.OutputChannelCount(), c.outputs);
  }
  TestPlugin plug;
  EXPECT_TRUE(plug.IsChannelPairSupported(2, 2));
  EXPECT_TRUE(plug.IsChannelPairSupported(1, 1));
  EXPECT_FALSE(plug.IsChannelPairSupported(1, 2));
  EXPECT_TRUE(plug.IsChannelPairSupported(-1, 2));
}

TEST(EffectBase, HostKinds) {
  struct Case {
    const char* name;
    int kind;
  } cases[] = {
      {"REAPER 5", 1},      {"Ableton Live 11", 9},   {"cubase live", 3}, {"WaveLab Pro", 28},
      {"Ardour", 27},       {"Unknown Host", 0},      {"", 0},            {"Studio One presonus", 24},
      {"Logic Pro", 21},    {"Sound Forge GOLD", 30},
  };
  for (const Case& c : cases) EXPECT_EQ(HostKindFromName(c.name), c.kind) << c.name;
  EXPECT_EQ(HostKindFromName(nullptr), 0);
  // Only the first 255 characters are looked at.
  std::string longName(300, 'x');
  longName += "reaper";
  EXPECT_EQ(HostKindFromName(longName.c_str()), 0);

  TestPlugin plug;
  EXPECT_EQ(plug.HostKind(), -1);
  plug.IdentifyHost("Cubase 12", 12);
  EXPECT_EQ(plug.HostKind(), 3);
}

TEST(EffectBase, SamplesPerBeatAndVersionText) {
  TestPlugin plug;
  plug.SetSampleRate(48000);
  plug.SetTempo(120);
  EXPECT_EQ(plug.SamplesPerBeat(), 24000.0);
  plug.SetTempo(0);
  EXPECT_EQ(plug.SamplesPerBeat(), 0.0);
  plug.SetTempo(-5);
  EXPECT_EQ(plug.SamplesPerBeat(), 0.0);
  char text[16];
  plug.VersionText(text, sizeof text);
  EXPECT_STREQ(text, "v1.10");
}

class BlockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    plug.ResizeBlockBuffers(kFrames);
    plug.ConnectInputs(0, 2, true);
    plug.ConnectOutputs(0, 2, true);
  }
  static constexpr int kFrames = 8;
  TestPlugin plug;
};

TEST_F(BlockTest, Gate64BitRendersOnlyWhenReady) {
  std::vector<double> inL(kFrames, 0.5), inR(kFrames, -0.5), outL(kFrames, 9), outR(kFrames, 9);
  double* ins[] = {inL.data(), inR.data()};
  double* outs[] = {outL.data(), outR.data()};
  plug.BindInputs(0, 2, ins);
  plug.BindOutputs(0, 2, outs);
  plug.RunBlock(kFrames);
  EXPECT_EQ(plug.renders, 0);
  EXPECT_EQ(outL[0], 9.0);
  plug.SetReady(true);
  plug.RunBlock(kFrames);
  EXPECT_EQ(plug.renders, 1);
  EXPECT_EQ(outR[kFrames - 1], 0.5);
  plug.PassBlockThrough(kFrames);
  EXPECT_EQ(outL, inL);
  EXPECT_EQ(outR, inR);
}

TEST_F(BlockTest, Gate32BitWritesScratchWhileClosed) {
  std::vector<float> inL(kFrames, 0.5f), inR(kFrames, 0.25f), outL(kFrames, 9), outR(kFrames, 9);
  float* ins[] = {inL.data(), inR.data()};
  float* outs[] = {outL.data(), outR.data()};
  plug.BindInputs(0, 2, ins, kFrames);
  plug.BindOutputs(0, 2, outs);
  plug.RunBlock32(kFrames);
  EXPECT_EQ(plug.renders, 0);
  EXPECT_EQ(outL, std::vector<float>(kFrames, 0.0f));  // fresh scratch is zeros
  plug.PassBlockThrough32(kFrames);
  EXPECT_EQ(outL, inL);
  EXPECT_EQ(outR, inR);
  plug.SetReady(true);
  plug.RunBlock32(kFrames);
  EXPECT_EQ(outR, std::vector<float>(kFrames, 0.5f));
}

TEST_F(BlockTest, UnconnectedChannelsUseScratch) {
  std::vector<double> inL(kFrames, 0.5), outL(kFrames, 9);
  double* ins[] = {inL.data()};
  double* outs[] = {outL.data()};
  plug.ConnectInputs(1, 1, false);
  plug.ConnectOutputs(1, 5, false);  // counts past the end are cut
  plug.BindInputs(0, 2, ins);
  plug.BindOutputs(0, 2, outs);
  plug.PassBlockThrough(kFrames);
  EXPECT_EQ(outL, inL);
  plug.SetReady(true);
  plug.RunBlock(kFrames);  // writes the unconnected right channel into scratch
  EXPECT_EQ(outL[0], 0.25);
}

TEST(EffectBase, PassThroughZeroesOutputsWithoutAnInput) {
  TestPlugin plug("1-2");
  plug.ResizeBlockBuffers(4);
  plug.ConnectInputs(0, 1, true);
  plug.ConnectOutputs(0, 2, true);
  std::vector<double> in(4, 0.75), outL(4, 9), outR(4, 9);
  double* ins[] = {in.data()};
  double* outs[] = {outL.data(), outR.data()};
  plug.BindInputs(0, 1, ins);
  plug.BindOutputs(0, 2, outs);
  plug.PassBlockThrough(4);
  EXPECT_EQ(outL, in);
  EXPECT_EQ(outR, std::vector<double>(4, 0.0));
}

TEST(EffectBase, EditorlessEditsReachTheHostAtOnce) {
  TestPlugin plug;
  plug.SetParamFromEditor(1, 0.8);
  EXPECT_EQ(plug.Param(1)->value, 3.0);
  plug.EndParamEditDeferred(1);
  plug.ChangeParamFromInstrument(0, 50.0);
  EXPECT_EQ(plug.Param(0)->value, 10.0);  // clamped, not snapped
  std::vector<std::string> expected = {"perform 1 0.800000", "end 1", "begin 0", "end 0"};
  EXPECT_EQ(plug.host, expected);
  EXPECT_EQ(plug.changed, std::vector<int32_t>{1});
  // Out-of-range indices are ignored.
  plug.SetParamFromEditor(7, 0.5);
  plug.SetParamFromHost(-1, 0.5);
  plug.ChangeParamFromInstrument(3, 1.0);
  EXPECT_EQ(plug.host.size(), expected.size());
}

TEST(EffectBase, HostAutomationStoresAndReacts) {
  TestPlugin plug;
  plug.SetParamFromHost(2, 1.0);
  EXPECT_EQ(plug.Param(2)->value, 2.0);
  EXPECT_EQ(plug.changed, std::vector<int32_t>{2});
  EXPECT_TRUE(plug.host.empty());
}

}  // namespace
