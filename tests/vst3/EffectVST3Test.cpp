// IEffectVST3 on a small plug-in of its own: what the bundle tests cannot
// see from outside (which hooks run, how often, with what).
#include <gtest/gtest.h>

#include <algorithm>

#include "pluginterfaces/vst/ivstprocesscontext.h"
#include "tools/host/ComponentHandler.h"
#include "tools/host/HostApplication.h"
#include "tools/host/MemoryStream.h"
#include "tools/host/ParameterChanges.h"
#include "UiTurns.h"
#include "vst3/EffectVST3.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

EffectConfig FixtureConfig() {
  EffectConfig config;
  config.paramCount = 4;
  config.channelIo = "1-1 2-2";
  config.presetCount = 3;
  config.version = 0x10000;
  return config;
}

// Four parameters in two groups; records every hook the binding calls.
class FixtureEffect : public IEffectVST3 {
 public:
  FixtureEffect() : IEffectVST3(FixtureConfig(), 0) {
    Param(0)->DefineInt("Steps", 2, 0, 10, "");
    Param(1)->DefineDouble("Level", 5.0, 0.0, 10.0, 0.01, "dB");
    Param(1)->SetGroup("Mix");
    Param(2)->DefineDouble("Tone", 1.0, 0.0, 4.0, 0.5, "");
    Param(2)->SetGroup("Filter");
    Param(3)->DefineEnum("Mode", 0, 3, "");
    Param(3)->SetGroup("Mix");
    AddPreset("First", 1, 1.0, 2.0, 1);
    AddPreset("Second", 7, 9.5, 0.5, 2);
  }

  void ParamChanged(int32_t index) override { changed.push_back(index); }
  void ResetState() override { ++resets; }
  void RenderBlock(double**, double** outs, int32_t frames) override {
    pieces.push_back(frames);
    for (int32_t c = 0; c < 2; ++c) std::fill(outs[c], outs[c] + frames, 0.25);
  }

  std::vector<int32_t> changed;
  std::vector<int32_t> pieces;
  int resets = 0;
  void MarkReady() { isReady = true; }
};

class EffectVST3Test : public ::testing::Test {
 protected:
  void SetUp() override {
    plug = new FixtureEffect();
    ASSERT_EQ(plug->initialize(&app), kResultOk);
    plug->setComponentHandler(&handler);
    plug->changed.clear();
  }
  void TearDown() override {
    plug->setComponentHandler(nullptr);
    plug->terminate();
    plug->release();
  }
  void Setup(int32 maxBlock, int32 size = kSample64) {
    ProcessSetup setup{kRealtime, size, maxBlock, 48000.0};
    ASSERT_EQ(plug->setupProcessing(setup), kResultOk);
    for (BusDirection dir : {kInput, kOutput}) plug->activateBus(kAudio, dir, 0, true);
  }

  HostApplication app;
  UiTurns turns;
  TurnsHandler handler{turns};
  FixtureEffect* plug = nullptr;
};

ParameterInfo InfoAt(FixtureEffect* plug, int32 index) {
  ParameterInfo info = {};
  EXPECT_EQ(plug->getParameterInfo(index, info), kResultOk);
  return info;
}

}  // namespace

TEST(EffectVST3Registration, EachParameterIsAppliedOnceInOrder) {
  HostApplication app;
  auto* plug = new FixtureEffect();
  ASSERT_EQ(plug->initialize(&app), kResultOk);
  EXPECT_EQ(plug->changed, (std::vector<int32_t>{0, 1, 2, 3}));
  EXPECT_EQ(plug->ApiKind(), 1);
  plug->terminate();
  plug->release();
}

TEST_F(EffectVST3Test, GroupsBecomeUnitsInOrderOfFirstUse) {
  EXPECT_EQ(plug->getUnitCount(), 3);
  UnitInfo unit;
  ASSERT_EQ(plug->getUnitInfo(1, unit), kResultOk);
  EXPECT_EQ(unit.id, 1);
  EXPECT_EQ(unit.parentUnitId, 0);
  EXPECT_EQ(unit.programListId, kNoProgramListId);
  ASSERT_EQ(plug->getUnitInfo(2, unit), kResultOk);
  EXPECT_EQ(unit.id, 2);
  EXPECT_EQ(plug->getUnitInfo(3, unit), kResultFalse);
  // Index 0 of the container is the program list; then the parameters.
  const int32 units[] = {0, 1, 2, 1};
  for (int32 i = 0; i < 4; ++i) EXPECT_EQ(InfoAt(plug, i + 1).unitId, units[i]) << i;
}

TEST_F(EffectVST3Test, StepCountsDefaultsAndTextInput) {
  EXPECT_EQ(InfoAt(plug, 1).stepCount, 10);  // integer 0..10
  EXPECT_EQ(InfoAt(plug, 2).stepCount, 0);   // continuous
  EXPECT_DOUBLE_EQ(InfoAt(plug, 2).defaultNormalizedValue, 0.5);
  EXPECT_EQ(InfoAt(plug, 0).stepCount, 2);   // three presets

  // A leading number in range, units after it ignored; anything else is
  // refused and leaves the answer alone.
  struct Case { const char* text; bool accepted; double normalized; };
  const Case cases[] = {{"3.5 dB", true, 0.35}, {"0", true, 0.0},     {"10", true, 1.0},
                        {"abc", false, -1},     {"-4", false, -1},    {"12", false, -1},
                        {"", false, -1},        {"nan", false, -1},   {"inf", false, -1},
                        {"-nan dB", false, -1}, {"1e400", false, -1}};
  for (const Case& c : cases) {
    String128 wide = {};
    for (int i = 0; c.text[i]; ++i) wide[i] = static_cast<TChar>(c.text[i]);
    ParamValue value = -1;
    EXPECT_EQ(plug->getParamValueByString(1, wide, value), c.accepted ? kResultOk : kResultFalse)
        << c.text;
    EXPECT_DOUBLE_EQ(value, c.normalized) << c.text;
  }
}

TEST_F(EffectVST3Test, ControllerWritesDoNotRunTheInstrument) {
  EXPECT_EQ(plug->setParamNormalized(1, 0.8), kResultOk);
  EXPECT_DOUBLE_EQ(plug->Param(1)->value, 8.0);
  EXPECT_EQ(plug->setParamNormalized(0x70727374, 1.0), kResultOk);
  EXPECT_EQ(plug->CurrentPreset(), 2);
  EXPECT_DOUBLE_EQ(plug->Param(0)->value, 2.0);
  EXPECT_TRUE(plug->changed.empty());
}

TEST_F(EffectVST3Test, QueuesApplyTheirLastPointOnceBeforeRendering) {
  Setup(128);
  plug->MarkReady();
  ParameterChanges changes;
  changes.Add(2, 0.25, 0);
  changes.Add(2, 0.5, 64);
  changes.Add(2, 0.75, 128);
  changes.Add(1, 0.1, 0);
  std::vector<double> left(128), right(128);
  double* outs[2] = {left.data(), right.data()};
  AudioBusBuffers out;
  out.numChannels = 2;
  out.channelBuffers64 = outs;
  ProcessData data;
  data.symbolicSampleSize = kSample64;
  data.numSamples = 128;
  data.numOutputs = 1;
  data.outputs = &out;
  data.inputParameterChanges = &changes;
  ASSERT_EQ(plug->process(data), kResultOk);
  EXPECT_EQ(plug->changed, (std::vector<int32_t>{2, 1}));
  EXPECT_DOUBLE_EQ(plug->Param(2)->value, 3.0);
  EXPECT_EQ(plug->pieces, (std::vector<int32_t>{128}));
  EXPECT_EQ(left[127], 0.25);
}

TEST_F(EffectVST3Test, LongBlocksReachTheInstrumentInPiecesOfTheBlockSize) {
  Setup(100, kSample32);
  plug->MarkReady();
  std::vector<float> inL(1050, 0.f), inR(1050, 0.f), outL(1050, 0.f), outR(1050, 0.f);
  float* ins[2] = {inL.data(), inR.data()};
  float* outs[2] = {outL.data(), outR.data()};
  AudioBusBuffers in, out;
  in.numChannels = out.numChannels = 2;
  in.channelBuffers32 = ins;
  out.channelBuffers32 = outs;
  ProcessData data;
  data.symbolicSampleSize = kSample32;
  data.numSamples = 1050;
  data.numInputs = data.numOutputs = 1;
  data.inputs = &in;
  data.outputs = &out;
  ASSERT_EQ(plug->process(data), kResultOk);
  std::vector<int32_t> expected(10, 100);
  expected.push_back(50);
  EXPECT_EQ(plug->pieces, expected);
  EXPECT_EQ(outR, std::vector<float>(1050, 0.25f));
}

TEST_F(EffectVST3Test, SetupResetsTheInstrumentAndTheBypass) {
  plug->SetBypassed(true);
  Setup(64);
  EXPECT_EQ(plug->resets, 1);
  EXPECT_FALSE(plug->IsBypassed());
  EXPECT_EQ(plug->BlockSize(), 64);
  ProcessSetup zero{kRealtime, kSample64, 0, 48000.0};
  EXPECT_EQ(plug->setupProcessing(zero), kResultFalse);
  EXPECT_EQ(plug->BlockSize(), 64);
  ProcessSetup offline{kOffline, kSample64, 64, 48000.0};
  ASSERT_EQ(plug->setupProcessing(offline), kResultOk);
  EXPECT_TRUE(plug->IsOfflineRendering());
}

TEST_F(EffectVST3Test, RestoringStateAppliesEachParameterOnce) {
  plug->Param(1)->value = 7.25;
  plug->Param(2)->value = 3.5;
  MemoryStream saved;
  ASSERT_EQ(static_cast<IComponent*>(plug)->getState(&saved), kResultOk);
  ASSERT_EQ(saved.Bytes().size(), 32u);
  EXPECT_EQ(saved.WriteCalls(), 1);
  plug->Param(1)->value = 0.0;
  plug->Param(2)->value = 0.0;
  saved.Rewind();
  EXPECT_EQ(static_cast<IComponent*>(plug)->setState(&saved), kResultOk);
  EXPECT_EQ(plug->changed, (std::vector<int32_t>{0, 1, 2, 3}));
  EXPECT_EQ(plug->Param(1)->value, 7.25);
  EXPECT_EQ(plug->Param(2)->value, 3.5);
}

TEST_F(EffectVST3Test, TimeQueriesFollowTheLastContext) {
  EXPECT_EQ(plug->Tempo(), 0.0);
  EXPECT_EQ(plug->SamplePosition(), 0);
  EXPECT_EQ(plug->TransportState(), kTransportStopped);
  HostTimeInfo info;
  plug->GetTimeInfo(&info);
  EXPECT_EQ(info.tempo, 0.0);
  EXPECT_FALSE(info.transportRunning);

  ProcessContext context = {};
  context.state = ProcessContext::kRecording | ProcessContext::kCycleActive;
  context.tempo = 97.0;
  context.projectTimeSamples = 5000000000LL;
  context.projectTimeMusic = 12.5;
  context.barPositionMusic = 12.0;
  context.cycleStartMusic = 8.0;
  context.cycleEndMusic = 16.0;
  context.timeSigNumerator = 7;
  context.timeSigDenominator = 8;
  ProcessData data;
  data.processContext = &context;
  ASSERT_EQ(plug->process(data), kResultOk);
  EXPECT_EQ(plug->TransportState(), kTransportRecording);
  EXPECT_EQ(plug->SamplePosition(), 5000000000LL);
  int32_t num = 0, den = 0;
  plug->TimeSignature(&num, &den);
  EXPECT_EQ(num, 7);
  EXPECT_EQ(den, 8);
  plug->GetTimeInfo(&info);
  EXPECT_EQ(info.tempo, 97.0);
  EXPECT_EQ(info.samplePos, 5e9);
  EXPECT_EQ(info.ppqPos, 12.5);
  EXPECT_EQ(info.lastBarPos, 12.0);
  EXPECT_EQ(info.cycleStart, 8.0);
  EXPECT_EQ(info.cycleEnd, 16.0);
  EXPECT_FALSE(info.transportRunning);
  EXPECT_TRUE(info.loopActive);

  // Without a context the last one stays.
  data.processContext = nullptr;
  plug->process(data);
  EXPECT_EQ(plug->Tempo(), 97.0);
}

TEST_F(EffectVST3Test, EditsAndLatencyReachTheComponentHandler) {
  plug->BeginParamEdit(1);
  plug->SetParamFromEditor(1, 0.3);
  plug->EndParamEdit(1);
  plug->ChangeLatency(64);
  EXPECT_EQ(handler.Calls().size(), 3u) << "the restart is told at the plug-in's next turn";
  ASSERT_TRUE(turns.RunUntil([&] { return handler.Calls().size() >= 4; }, 3000));
  using K = ComponentHandler::Kind;
  const auto& calls = handler.Calls();
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[0].kind, K::kBegin);
  EXPECT_EQ(calls[1].kind, K::kPerform);
  EXPECT_EQ(calls[1].id, 1u);
  EXPECT_DOUBLE_EQ(calls[1].value, 0.3);
  EXPECT_EQ(calls[2].kind, K::kEnd);
  EXPECT_EQ(calls[3].kind, K::kRestart);
  EXPECT_EQ(calls[3].value, kLatencyChanged);
  EXPECT_EQ(plug->getLatencySamples(), 64u);
  EXPECT_EQ(plug->changed, (std::vector<int32_t>{1}));

  // Without a handler the edits go nowhere, and nothing breaks.
  plug->setComponentHandler(nullptr);
  plug->BeginParamEdit(2);
  plug->PopupParamMenu(2, 10, 10);
  EXPECT_EQ(handler.Calls().size(), 4u);
}
