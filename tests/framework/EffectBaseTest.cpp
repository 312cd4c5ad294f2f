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

// One block through the framework's block path: one input bus (ins may be
// empty: no input bus) and one output bus, each of the given channels.
template <typename Sample>
void RunBlockOf(IEffectBase& plug, std::vector<std::vector<Sample>*> ins,
                std::vector<std::vector<Sample>*> outs, int32_t frames) {
  std::vector<Sample*> in, out;
  for (auto* v : ins) in.push_back(v->data());
  for (auto* v : outs) out.push_back(v->data());
  HostBus<Sample> inBus{in.data(), static_cast<int32_t>(in.size()), true};
  HostBus<Sample> outBus{out.data(), static_cast<int32_t>(out.size()), true};
  plug.Process(HostBlock<Sample>{ins.empty() ? nullptr : &inBus, nullptr, &outBus, 1, frames});
}

class BlockTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(plug.Prepare(48000.0, kFrames)); }
  static constexpr int kFrames = 8;
  TestPlugin plug;
};

TEST_F(BlockTest, Gate64BitRendersOnlyWhenReady) {
  std::vector<double> inL(kFrames, 0.5), inR(kFrames, -0.5), outL(kFrames, 9), outR(kFrames, 9);
  RunBlockOf<double>(plug, {&inL, &inR}, {&outL, &outR}, kFrames);
  EXPECT_EQ(plug.renders, 0);
  EXPECT_EQ(outL[0], 9.0);
  plug.SetReady(true);
  RunBlockOf<double>(plug, {&inL, &inR}, {&outL, &outR}, kFrames);
  EXPECT_EQ(plug.renders, 1);
  EXPECT_EQ(outR[kFrames - 1], 0.5);
  plug.SetBypassed(true);
  RunBlockOf<double>(plug, {&inL, &inR}, {&outL, &outR}, kFrames);
  EXPECT_EQ(plug.renders, 1);
  EXPECT_EQ(outL, inL);
  EXPECT_EQ(outR, inR);
}

TEST_F(BlockTest, Gate32BitWritesScratchWhileClosed) {
  std::vector<float> inL(kFrames, 0.5f), inR(kFrames, 0.25f), outL(kFrames, 9), outR(kFrames, 9);
  RunBlockOf<float>(plug, {&inL, &inR}, {&outL, &outR}, kFrames);
  EXPECT_EQ(plug.renders, 0);
  EXPECT_EQ(outL, std::vector<float>(kFrames, 0.0f));  // fresh scratch is zeros
  plug.SetBypassed(true);
  RunBlockOf<float>(plug, {&inL, &inR}, {&outL, &outR}, kFrames);
  EXPECT_EQ(outL, inL);
  EXPECT_EQ(outR, inR);
  plug.SetBypassed(false);
  plug.SetReady(true);
  RunBlockOf<float>(plug, {&inL, &inR}, {&outL, &outR}, kFrames);
  EXPECT_EQ(outR, std::vector<float>(kFrames, 0.5f));
}

TEST_F(BlockTest, ChannelsNoBusFeedsUseScratch) {
  std::vector<double> inL(kFrames, 0.5), outL(kFrames, 9);
  plug.SetBypassed(true);
  RunBlockOf<double>(plug, {&inL}, {&outL}, kFrames);
  EXPECT_EQ(outL, inL);
  plug.SetBypassed(false);
  plug.SetReady(true);
  RunBlockOf<double>(plug, {&inL}, {&outL}, kFrames);  // writes the missing right channel into scratch
  EXPECT_EQ(outL[0], 0.25);
}

// Blocks longer than the prepared size arrive in pieces of that size.
TEST_F(BlockTest, LongBlocksArriveInPieces) {
  std::vector<double> inL(3 * kFrames + 2, 0.5), inR = inL, outL(inL.size()), outR(inL.size());
  plug.SetReady(true);
  RunBlockOf<double>(plug, {&inL, &inR}, {&outL, &outR}, static_cast<int32_t>(inL.size()));
  EXPECT_EQ(plug.renders, 4);
}

TEST(EffectBase, PassThroughZeroesOutputsWithoutAnInput) {
  TestPlugin plug("1-2");
  ASSERT_TRUE(plug.Prepare(48000.0, 4));
  plug.SetBypassed(true);
  std::vector<double> in(4, 0.75), outL(4, 9), outR(4, 9);
  RunBlockOf<double>(plug, {&in}, {&outL, &outR}, 4);
  EXPECT_EQ(outL, in);
  EXPECT_EQ(outR, std::vector<double>(4, 0.0));
}

TEST(EffectBase, PrepareRefusesWhatNoBuffersCanBeMadeFor) {
  TestPlugin plug;
  ASSERT_TRUE(plug.Prepare(48000.0, 64));
  plug.SetBypassed(true);
  for (int32_t block : {0, -1, IEffectBase::kMaxBlockFrames + 1}) EXPECT_FALSE(plug.Prepare(48000.0, block));
  EXPECT_FALSE(plug.Prepare(0.0, 64));
  EXPECT_EQ(plug.BlockSize(), 64);
  EXPECT_TRUE(plug.IsBypassed());  // a refused setup changes nothing
  EXPECT_TRUE(plug.Prepare(96000.0, 32));
  EXPECT_FALSE(plug.IsBypassed());
  EXPECT_EQ(plug.SampleRate(), 96000.0);
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
