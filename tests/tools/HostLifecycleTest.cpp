// The host's side of the plug-in lifecycle, on a small plug-in made in this
// process that logs every lifecycle call it receives: calls out of order are
// refused before they reach it, and the process mode the host is given is
// the one the plug-in sees.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "tools/host/PluginInstance.h"
#include "tools/host/Renderer.h"
#include "vst3/EffectVST3.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

class LoggedEffect : public IEffectVST3 {
 public:
  // One parameter, stereo in and out, one preset.
  LoggedEffect() : IEffectVST3(EffectConfig{1, "2-2", 1, 0x10000}, 0) { Param(0)->DefineDouble("Level", 1.0, 0.0, 1.0, 0.01, ""); }

  tresult PLUGIN_API setupProcessing(ProcessSetup& setup) SMTG_OVERRIDE {
    Log("setupProcessing");
    setupModes.push_back(setup.processMode);
    return IEffectVST3::setupProcessing(setup);
  }
  tresult PLUGIN_API setActive(TBool state) SMTG_OVERRIDE {
    Log(state ? "setActive(1)" : "setActive(0)");
    return IEffectVST3::setActive(state);
  }
  tresult PLUGIN_API setProcessing(TBool state) SMTG_OVERRIDE {
    Log(state ? "setProcessing(1)" : "setProcessing(0)");
    return IEffectVST3::setProcessing(state);
  }
  tresult PLUGIN_API activateBus(MediaType type, BusDirection dir, int32 index, TBool state) SMTG_OVERRIDE {
    Log("activateBus");
    return IEffectVST3::activateBus(type, dir, index, state);
  }
  tresult PLUGIN_API process(ProcessData& data) SMTG_OVERRIDE {
    Log("process");
    processModes.push_back(data.processMode);
    offline.push_back(IsOfflineRendering());
    return IEffectVST3::process(data);
  }

  std::string Calls() const { return log; }
  void Clear() { log.clear(); }

  std::vector<int32> setupModes, processModes;
  std::vector<bool> offline;

 private:
  void Log(const char* call) { log += (log.empty() ? "" : " ") + std::string(call); }
  std::string log;
};

// A factory of one audio effect class, made in this process.
class LoggedFactory : public HostObject<IPluginFactory> {
 public:
  tresult PLUGIN_API getFactoryInfo(PFactoryInfo* info) override {
    *info = PFactoryInfo("Ondivox Tests", "", "", PFactoryInfo::kNoFlags);
    return kResultOk;
  }
  int32 PLUGIN_API countClasses() override { return 1; }
  tresult PLUGIN_API getClassInfo(int32 index, PClassInfo* info) override {
    if (index != 0) return kInvalidArgument;
    *info = PClassInfo(kClassId, PClassInfo::kManyInstances, kVstAudioEffectClass, "Logged Effect");
    return kResultOk;
  }
  tresult PLUGIN_API createInstance(FIDString cid, FIDString iid, void** obj) override {
    if (std::memcmp(cid, kClassId, sizeof(TUID)) != 0) return kInvalidArgument;
    auto* effect = new LoggedEffect();
    const tresult result = effect->queryInterface(iid, obj);
    effect->release();
    if (result == kResultOk) made = effect;
    return result;
  }

  LoggedEffect* made = nullptr;

 private:
  static constexpr TUID kClassId = INLINE_UID(0x4C6F6767, 0x65644566, 0x66656374, 0x54657374);
};

class HostLifecycleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto module = std::make_shared<PluginModule>();
    factory.addRef();
    module->Adopt(&factory);
    std::string error;
    plug = PluginInstance::Open(std::move(module), PluginHost(), &error);
    ASSERT_TRUE(plug) << error;
    effect = factory.made;
    ASSERT_NE(effect, nullptr);
    effect->addRef();  // its log is read after the host lets go of it
  }
  void TearDown() override {
    plug.reset();
    if (effect) effect->release();
    effect = nullptr;
  }

  LoggedFactory factory;  // outlives every module that serves it
  std::unique_ptr<PluginInstance> plug;
  LoggedEffect* effect = nullptr;
};

constexpr int kBlock = 64;

tresult ProcessBlock(PluginInstance& plug, int32 frames) {
  std::vector<double> left(frames), right(frames);
  double* out[2] = {left.data(), right.data()};
  return plug.Process(frames, 2, nullptr, out, nullptr, nullptr);
}

tresult Process32(PluginInstance& plug) {
  std::vector<float> left(kBlock), right(kBlock);
  float* out[2] = {left.data(), right.data()};
  return plug.Process(kBlock, 2, nullptr, out, nullptr, nullptr);
}

tresult SetUpOnly(PluginInstance& plug) {
  return plug.SetupProcessing(ProcessSetup{kRealtime, kSample64, kBlock, 48000.0});
}

tresult SetUpAndActive(PluginInstance& plug) {
  if (SetUpOnly(plug) != kResultOk) return kResultFalse;
  return plug.Activate();
}

}  // namespace

TEST_F(HostLifecycleTest, TheWayThereAndBackReachesThePlugInInOrder) {
  EXPECT_EQ(effect->Calls(), "activateBus activateBus") << "the default buses";
  effect->Clear();
  ASSERT_EQ(plug->Setup(48000.0, kBlock, kSample64), kResultOk) << plug->Error();
  EXPECT_EQ(plug->Stage(), PluginStage::kProcessing);
  EXPECT_EQ(ProcessBlock(*plug, kBlock), kResultOk) << plug->Error();
  ParameterChanges changes;
  changes.Add(0, 0.5);
  EXPECT_EQ(plug->Flush(&changes), kResultOk);
  ASSERT_EQ(plug->Restart(44100.0, kBlock, kSample64, kOffline), kResultOk);
  EXPECT_EQ(effect->Calls(),
            "setupProcessing setActive(1) setProcessing(1) process process "
            "setProcessing(0) setActive(0) setupProcessing setActive(1) setProcessing(1)");
  effect->Clear();
  plug->Close();
  EXPECT_EQ(effect->Calls(), "setProcessing(0) setActive(0)");
}

TEST_F(HostLifecycleTest, CallsOutOfOrderAreRefusedAndSendNothing) {
  using Step = std::function<tresult(PluginInstance&)>;
  const Step none = [](PluginInstance&) { return kResultOk; };
  const Step processing = [](PluginInstance& p) { return p.Setup(48000.0, kBlock, kSample64); };
  const struct Case {
    const char* what;
    Step reach;
    PluginStage stage;
    Step call;
    const char* says;
  } cases[] = {
      {"process before any setup", none, PluginStage::kInitialised,
       [](PluginInstance& p) { return ProcessBlock(p, kBlock); }, "process refused: the plug-in is initialised"},
      {"process when set up, not active", SetUpOnly, PluginStage::kSetUp,
       [](PluginInstance& p) { return ProcessBlock(p, kBlock); }, "not processing"},
      {"process when active, not processing", SetUpAndActive, PluginStage::kActive,
       [](PluginInstance& p) { return ProcessBlock(p, kBlock); }, "not processing"},
      {"flush before any setup", none, PluginStage::kInitialised,
       [](PluginInstance& p) { return p.Flush(nullptr); }, "a parameter flush refused"},
      {"setup on a processing plug-in", processing, PluginStage::kProcessing,
       [](PluginInstance& p) { return p.Setup(44100.0, kBlock, kSample64); },
       "setupProcessing refused: the plug-in is processing, not initialised or set up"},
      {"setup on an active plug-in", SetUpAndActive, PluginStage::kActive,
       [](PluginInstance& p) { return SetUpOnly(p); }, "setupProcessing refused"},
      {"activate before setup", none, PluginStage::kInitialised, [](PluginInstance& p) { return p.Activate(); },
       "setActive(true) refused"},
      {"activate twice", processing, PluginStage::kProcessing, [](PluginInstance& p) { return p.Activate(); },
       "setActive(true) refused"},
      {"start processing when inactive", SetUpOnly, PluginStage::kSetUp,
       [](PluginInstance& p) { return p.StartProcessing(); }, "setProcessing(true) refused"},
      {"stop processing that never started", SetUpAndActive, PluginStage::kActive,
       [](PluginInstance& p) { return p.StopProcessing(); }, "setProcessing(false) refused"},
      {"deactivate while processing", processing, PluginStage::kProcessing,
       [](PluginInstance& p) { return p.Deactivate(); }, "setActive(false) refused"},
      {"deactivate what is not active", SetUpOnly, PluginStage::kSetUp,
       [](PluginInstance& p) { return p.Deactivate(); }, "setActive(false) refused"},
      {"bus activation while active", SetUpAndActive, PluginStage::kActive,
       [](PluginInstance& p) { return p.ActivateDefaultBuses(); }, "activateBus refused"},
      {"a block longer than set up", processing, PluginStage::kProcessing,
       [](PluginInstance& p) { return ProcessBlock(p, kBlock + 1); }, "65 frames of 64-bit audio, set up for at most 64"},
      {"32-bit audio set up for 64", processing, PluginStage::kProcessing, Process32, "of 32-bit audio"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TearDown();  // a fresh instance for each case
    SetUp();
    ASSERT_EQ(c.reach(*plug), kResultOk) << plug->Error();
    ASSERT_EQ(plug->Stage(), c.stage);
    effect->Clear();
    EXPECT_EQ(c.call(*plug), kResultFalse);
    EXPECT_NE(plug->Error().find(c.says), std::string::npos) << plug->Error();
    EXPECT_EQ(effect->Calls(), "") << "reached the plug-in";
    EXPECT_EQ(plug->Stage(), c.stage);
  }
}

TEST_F(HostLifecycleTest, TheRendersModeReachesThePlugIn) {
  RenderSettings settings;
  settings.frames = 3 * settings.blockSize;
  const struct {
    int32 mode;
    bool offline;
  } cases[] = {{kOffline, true}, {kRealtime, false}, {kOffline, true}};
  // The same instance each time: a render sets the plug-in up afresh, even while it processes.
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    effect->setupModes.clear();
    effect->processModes.clear();
    effect->offline.clear();
    settings.processMode = c.mode;
    ASSERT_TRUE(Render(*plug, settings, RenderProgress(), [](const double* const*, int32_t) { return true; }))
        << plug->Error();
    EXPECT_EQ(effect->setupModes, std::vector<int32>{c.mode});
    EXPECT_EQ(effect->processModes, std::vector<int32>(3, c.mode));
    EXPECT_EQ(effect->offline, std::vector<bool>(3, c.offline));
  }
}
