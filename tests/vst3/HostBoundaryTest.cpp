// What a hostile host can send: indices out of range, null pointers and
// absurd sizes reach every entry point of the loaded bundle. Each answers a
// result code; none throws or crashes.
#include <cmath>
#include <functional>
#include <limits>
#include <vector>

#include "BundleFixture.h"
#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/ivstmessage.h"

namespace {

struct Call {
  const char* what;
  std::function<tresult()> run;
  tresult answer;
};

void ExpectAnswers(const std::vector<Call>& calls) {
  for (const Call& c : calls) {
    tresult got = kInternalError;
    EXPECT_NO_THROW(got = c.run()) << c.what;
    EXPECT_EQ(got, c.answer) << c.what;
  }
}

const int32 kBadIndices[] = {-1, 1000, 0x7FFFFFFF, std::numeric_limits<int32>::min()};

}  // namespace

using HostBoundaryTest = BundleTest;

TEST_F(HostBoundaryTest, FactoryEntryPoints) {
  IPluginFactory* factory = module->Factory();
  FUnknownPtr<IPluginFactory2> factory2(factory);
  FUnknownPtr<IPluginFactory3> factory3(factory);
  ASSERT_TRUE(factory2 && factory3);
  PClassInfo info;
  PClassInfo2 info2;
  PClassInfoW infoW;
  void* obj = nullptr;
  const TUID zero = {};
  TUID cid;
  ASSERT_EQ(factory->getClassInfo(0, &info), kResultOk);
  std::memcpy(cid, info.cid, sizeof cid);
  std::vector<Call> calls = {
      {"getFactoryInfo(null)", [&] { return factory->getFactoryInfo(nullptr); }, kInvalidArgument},
      {"getClassInfo(0, null)", [&] { return factory->getClassInfo(0, nullptr); }, kInvalidArgument},
      {"createInstance(null cid)",
       [&] { return factory->createInstance(nullptr, IComponent::iid, &obj); }, kInvalidArgument},
      {"createInstance(null iid)", [&] { return factory->createInstance(cid, nullptr, &obj); },
       kInvalidArgument},
      {"createInstance(null obj)",
       [&] { return factory->createInstance(cid, IComponent::iid, nullptr); }, kInvalidArgument},
      {"createInstance(unknown cid)",
       [&] { return factory->createInstance(zero, IComponent::iid, &obj); }, kNoInterface},
      {"createInstance(unknown iid)", [&] { return factory->createInstance(cid, zero, &obj); },
       kNoInterface},
      {"queryInterface(null iid)", [&] { return factory->queryInterface(nullptr, &obj); },
       kInvalidArgument},
      {"queryInterface(null obj)",
       [&] { return factory->queryInterface(IPluginFactory::iid, nullptr); }, kInvalidArgument},
  };
  for (int32 bad : kBadIndices) {
    calls.push_back({"getClassInfo(bad)", [&, bad] { return factory->getClassInfo(bad, &info); },
                     kInvalidArgument});
    calls.push_back({"getClassInfo2(bad)", [&, bad] { return factory2->getClassInfo2(bad, &info2); },
                     kInvalidArgument});
    calls.push_back({"getClassInfoUnicode(bad)",
                     [&, bad] { return factory3->getClassInfoUnicode(bad, &infoW); },
                     kInvalidArgument});
  }
  ExpectAnswers(calls);
  EXPECT_EQ(obj, nullptr);
}

TEST_F(HostBoundaryTest, ComponentAndProcessorEntryPoints) {
  auto plug = Make();
  IComponent* c = plug->Component();
  IAudioProcessor* p = plug->Processor();
  BusInfo bus;
  SpeakerArrangement arr = 0;
  void* obj = nullptr;
  ProcessSetup huge{kRealtime, kSample32, 0x7FFFFFFF, 48000.0};
  ProcessSetup negative{kRealtime, kSample32, -512, 48000.0};
  ProcessSetup noRate{kRealtime, kSample32, 512, std::numeric_limits<double>::quiet_NaN()};
  std::vector<Call> calls = {
      {"setState(null)", [&] { return c->setState(nullptr); }, kInvalidArgument},
      {"getState(null)", [&] { return c->getState(nullptr); }, kInvalidArgument},
      {"queryInterface(null iid)", [&] { return c->queryInterface(nullptr, &obj); },
       kInvalidArgument},
      {"queryInterface(null obj)", [&] { return c->queryInterface(IComponent::iid, nullptr); },
       kInvalidArgument},
      {"getBusInfo(bad type)", [&] { return c->getBusInfo(7, kInput, 0, bus); }, kInvalidArgument},
      {"setBusArrangements(null)", [&] { return p->setBusArrangements(nullptr, 1, nullptr, 1); },
       kResultFalse},
      {"setupProcessing(2^31 - 1 frames)", [&] { return p->setupProcessing(huge); }, kResultFalse},
      {"setupProcessing(negative block)", [&] { return p->setupProcessing(negative); },
       kResultFalse},
      {"setupProcessing(NaN rate)", [&] { return p->setupProcessing(noRate); }, kResultFalse},
  };
  for (int32 bad : kBadIndices) {
    calls.push_back({"getBusInfo(bad)", [&, bad] { return c->getBusInfo(kAudio, kInput, bad, bus); },
                     kInvalidArgument});
    calls.push_back({"activateBus(bad)", [&, bad] { return c->activateBus(kAudio, kOutput, bad, 1); },
                     kInvalidArgument});
    calls.push_back({"getBusArrangement(bad)",
                     [&, bad] { return p->getBusArrangement(kOutput, bad, arr); }, kInvalidArgument});
  }
  ExpectAnswers(calls);

  // A block with buffers missing or sizes that lie is answered, not rendered.
  ASSERT_EQ(plug->Setup(48000.0, 512, kSample32), kResultOk);
  AudioBusBuffers noChannels[1] = {};
  noChannels[0].numChannels = 2;
  ProcessData data = {};
  data.symbolicSampleSize = kSample32;
  data.numSamples = 512;
  data.numOutputs = 1;
  data.outputs = noChannels;
  EXPECT_EQ(p->process(data), kResultOk);
  data.numInputs = 1;
  data.inputs = nullptr;
  EXPECT_EQ(p->process(data), kResultOk);

  // A negative channel count binds nothing, and buses past those the plug-in
  // binds are silenced rather than left as the host filled them.
  constexpr int32 kBuses = 20;
  std::vector<std::vector<float>> buffers(2 * kBuses, std::vector<float>(512, 1.0f));
  std::vector<float*> pointers;
  for (auto& b : buffers) pointers.push_back(b.data());
  AudioBusBuffers buses[kBuses] = {};
  for (int32 j = 0; j < kBuses; ++j) {
    buses[j].numChannels = 2;
    buses[j].channelBuffers32 = &pointers[2 * j];
  }
  buses[0].numChannels = -1;
  buses[0].channelBuffers32 = nullptr;
  data.numInputs = 0;
  data.numOutputs = kBuses;
  data.outputs = buses;
  EXPECT_EQ(p->process(data), kResultOk);
  for (int32 j = 1; j < kBuses; ++j)
    for (int c = 0; c < 2; ++c)
      for (float v : buffers[2 * j + c]) ASSERT_TRUE(std::isfinite(v)) << "bus " << j;
  EXPECT_EQ(buffers[2 * (kBuses - 1)][0], 0.0f) << "a bus past those bound";
}

TEST_F(HostBoundaryTest, ControllerAndUnitEntryPoints) {
  auto plug = Make();
  IEditController* ctl = plug->Controller();
  IUnitInfo* units = plug->Units();
  FUnknownPtr<IConnectionPoint> connection(ctl);
  ASSERT_TRUE(connection);
  ParameterInfo info;
  UnitInfo unit;
  ProgramListInfo list;
  String128 text = {};
  ParamValue value = 0.0;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  std::vector<Call> calls = {
      {"getParamStringByValue(null text)", [&] { return ctl->getParamStringByValue(0, 0.5, nullptr); },
       kInvalidArgument},
      {"getParamStringByValue(bypass, NaN)", [&] { return ctl->getParamStringByValue(kBpas, nan, text); },
       kResultOk},
      {"getParamValueByString(null text)",
       [&] { return ctl->getParamValueByString(0, nullptr, value); }, kInvalidArgument},
      {"getParamValueByString(presets, null text)",
       [&] { return ctl->getParamValueByString(kPrst, nullptr, value); }, kInvalidArgument},
      {"setParamNormalized(presets, NaN)", [&] { return ctl->setParamNormalized(kPrst, nan); },
       kResultOk},
      {"setParamNormalized(0, inf)",
       [&] { return ctl->setParamNormalized(0, std::numeric_limits<double>::infinity()); }, kResultOk},
      {"setComponentHandler(null)", [&] { return ctl->setComponentHandler(nullptr); }, kResultTrue},
      {"setState(null)", [&] { return ctl->setState(nullptr); }, kResultOk},
      {"connect(null)", [&] { return connection->connect(nullptr); }, kInvalidArgument},
      {"notify(null)", [&] { return connection->notify(nullptr); }, kInvalidArgument},
      {"getProgramName(presets, 0, null)", [&] { return units->getProgramName(kPrst, 0, nullptr); },
       kResultFalse},
  };
  for (int32 bad : kBadIndices) {
    calls.push_back({"getParameterInfo(bad)", [&, bad] { return ctl->getParameterInfo(bad, info); },
                     kInvalidArgument});
    calls.push_back({"getUnitInfo(bad)", [&, bad] { return units->getUnitInfo(bad, unit); },
                     kResultFalse});
    calls.push_back({"getProgramListInfo(bad)",
                     [&, bad] { return units->getProgramListInfo(bad, list); }, kResultFalse});
    // Outside the store a program has the empty name.
    calls.push_back({"getProgramName(bad)",
                     [&, bad] { return units->getProgramName(kPrst, bad, text); }, kResultOk});
  }
  const int32 count = ctl->getParameterCount();
  calls.push_back({"getParameterInfo(count)", [&] { return ctl->getParameterInfo(count, info); },
                   kInvalidArgument});
  ExpectAnswers(calls);
  EXPECT_EQ(ctl->createView(nullptr), nullptr);
  EXPECT_EQ(ctl->createView("no such view"), nullptr);
  // The handler is back for the other tests' expectations.
  EXPECT_EQ(ctl->setComponentHandler(&handler), kResultTrue);
}

TEST_F(HostBoundaryTest, ViewEntryPoints) {
  auto plug = Make();
  IPlugView* view = plug->Controller()->createView("editor");
  ASSERT_NE(view, nullptr);
  std::vector<Call> calls = {
      {"isPlatformTypeSupported(null)", [&] { return view->isPlatformTypeSupported(nullptr); }, kResultFalse},
      {"attached(null, HWND)", [&] { return view->attached(nullptr, "HWND"); }, kInvalidArgument},
      {"attached(null, X11)", [&] { return view->attached(nullptr, "X11EmbedWindowID"); }, kInvalidArgument},
      {"getSize(null)", [&] { return view->getSize(nullptr); }, kResultFalse},
      {"onSize(null)", [&] { return view->onSize(nullptr); }, kResultOk},
      {"checkSizeConstraint(null)", [&] { return view->checkSizeConstraint(nullptr); }, kResultFalse},
      {"setFrame(null)", [&] { return view->setFrame(nullptr); }, kResultOk},
      {"onKeyDown before attached", [&] { return view->onKeyDown('a', 0, 0); }, kResultFalse},
      {"removed before attached", [&] { return view->removed(); }, kResultOk},
      {"removed again", [&] { return view->removed(); }, kResultOk},
  };
  ExpectAnswers(calls);
  view->release();
}

// A message without attributes is refused, not read.
TEST_F(HostBoundaryTest, MessagesWithoutAttributes) {
  class BareMessage : public HostObject<IMessage> {
   public:
    FIDString PLUGIN_API getMessageID() override { return "TextMessage"; }
    void PLUGIN_API setMessageID(FIDString) override {}
    IAttributeList* PLUGIN_API getAttributes() override { return nullptr; }
  };
  auto plug = Make();
  FUnknownPtr<IConnectionPoint> connection(plug->Controller());
  ASSERT_TRUE(connection);
  BareMessage message;
  EXPECT_EQ(connection->notify(&message), kResultFalse);
}
