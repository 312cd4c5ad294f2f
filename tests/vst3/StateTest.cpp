// Component state through host streams, via the loaded bundle.
#include <cstring>

#include "BundleFixture.h"
#include "instrument/Ondivox.h"

namespace {

std::vector<double> Values(const std::vector<uint8_t>& state) {
  std::vector<double> values(state.size() / 8);
  if (!values.empty()) std::memcpy(values.data(), state.data(), values.size() * 8);
  return values;
}

// A stream that never runs dry.
class EndlessStream : public HostObject<IBStream> {
 public:
  tresult PLUGIN_API read(void* buffer, int32 n, int32* got) override {
    std::memset(buffer, 0, n);
    if (got) *got = n;
    return kResultOk;
  }
  tresult PLUGIN_API write(void*, int32, int32*) override { return kResultFalse; }
  tresult PLUGIN_API seek(int64, int32, int64*) override { return kResultOk; }
  tresult PLUGIN_API tell(int64* pos) override {
    if (pos) *pos = 0;
    return kResultOk;
  }
};

}  // namespace

class StateTest : public BundleTest {
 protected:
  // An instance moved away from its defaults, and its state.
  std::vector<uint8_t> ChangedState(PluginInstance& plug) {
    plug.Setup(48000.0, 256, kSample64);
    ParameterChanges changes;
    changes.Add(kPrst, ProgramValue(40));
    plug.Flush(&changes);
    changes.Clear();
    changes.Add(kBaseFreq, 0.123456789);
    changes.Add(kVolume, 0.33);
    plug.Flush(&changes);
    return plug.SaveState();
  }
};

TEST_F(StateTest, SavedStateIs200BytesAndRestoresExactly) {
  auto source = Make();
  auto target = Make();
  std::vector<uint8_t> state = ChangedState(*source);
  ASSERT_EQ(state.size(), 200u);

  MemoryStream stream(state);
  EXPECT_EQ(target->Component()->setState(&stream), kResultOk);
  EXPECT_EQ(target->SaveState(), state);
  for (ParamID id = 0; id < 25; ++id)
    EXPECT_EQ(target->Controller()->getParamNormalized(id), source->Controller()->getParamNormalized(id));
}

TEST_F(StateTest, ReadErrorsAreReadThroughOnlyForHostKind28) {
  struct Case { const char* host; bool restored; };
  const Case cases[] = {{"WaveLab Pro 11", true}, {"Some Other Host", false}};
  auto source = Make();
  std::vector<uint8_t> state = ChangedState(*source);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.host);
    auto target = Make(c.host);
    std::vector<uint8_t> before = target->SaveState();
    MemoryStream stream(state);
    stream.FailReads(true);
    target->Component()->setState(&stream);
    std::vector<double> got = Values(target->SaveState());
    if (c.restored) {
      EXPECT_EQ(target->SaveState(), state);
    } else {
      // Nothing was read, so nothing changed.
      EXPECT_EQ(target->SaveState(), before);
    }
  }
}

TEST_F(StateTest, ShortEmptyAndOverlongStreams) {
  auto source = Make();
  std::vector<uint8_t> state = ChangedState(*source);
  std::vector<double> full = Values(state);

  auto shortTarget = Make();
  std::vector<double> defaults = Values(shortTarget->SaveState());
  std::vector<uint8_t> twelve(state.begin(), state.begin() + 12);
  shortTarget->LoadState(twelve);
  std::vector<double> got = Values(shortTarget->SaveState());
  // The parameters the stream covers are restored; the rest keep their values.
  EXPECT_EQ(got[0], full[0]);
  for (std::size_t i = 1; i < got.size(); ++i) EXPECT_EQ(got[i], defaults[i]) << i;

  auto emptyTarget = Make();
  emptyTarget->LoadState({});
  EXPECT_EQ(Values(emptyTarget->SaveState()), defaults);

  auto longTarget = Make();
  std::vector<uint8_t> overlong = state;
  overlong.resize(state.size() + 1000, 0xAB);
  EXPECT_EQ(longTarget->LoadState(overlong), kResultOk);
  EXPECT_EQ(longTarget->SaveState(), state);

  auto endlessTarget = Make();
  EndlessStream endless;
  endlessTarget->Component()->setState(&endless);
  EXPECT_EQ(endlessTarget->SaveState().size(), 200u);
}

TEST_F(StateTest, OutOfRangeValuesAreHeldToTheirRange) {
  auto plug = Make();
  std::vector<double> values = Values(plug->SaveState());
  values[kBaseFreq] = 1e9;
  values[kVolume] = -50.0;
  std::vector<uint8_t> bytes(values.size() * 8);
  std::memcpy(bytes.data(), values.data(), bytes.size());
  plug->LoadState(bytes);
  std::vector<double> got = Values(plug->SaveState());
  EXPECT_EQ(got[kBaseFreq], 20000.0);
  EXPECT_EQ(got[kVolume], 0.0);
}

namespace {

// A stream whose writes fail, as on a full disk.
class FullStream : public HostObject<IBStream> {
 public:
  tresult PLUGIN_API read(void*, int32, int32* got) override {
    if (got) *got = 0;
    return kResultOk;
  }
  tresult PLUGIN_API write(void*, int32 n, int32* written) override {
    if (written) *written = n / 2;
    return kResultFalse;
  }
  tresult PLUGIN_API seek(int64, int32, int64*) override { return kResultOk; }
  tresult PLUGIN_API tell(int64* pos) override {
    if (pos) *pos = 0;
    return kResultOk;
  }
};

}  // namespace

TEST_F(StateTest, FailedWritesAndNullStreamsAreNotSuccess) {
  auto plug = Make();
  FullStream full;
  EXPECT_EQ(plug->Component()->getState(&full), kResultFalse);
  EXPECT_NE(plug->Component()->getState(nullptr), kResultOk);
  EXPECT_NE(plug->Component()->setState(nullptr), kResultOk);
}

// A state the plug-in refuses changes nothing, wherever the stream broke;
// one it takes is announced to the host.
TEST_F(StateTest, ARefusedStateChangesNothingAndATakenOneIsAnnounced) {
  auto source = Make();
  std::vector<uint8_t> state = ChangedState(*source);
  for (int64_t breakAt : {0, 100, 128, 150, 199}) {
    SCOPED_TRACE(breakAt);
    auto target = Make();
    std::vector<uint8_t> before = target->SaveState();
    turns.Run(2 * HostNotifier::kPeriodMs);  // what the source announced
    handler.Clear();
    MemoryStream stream(state);
    stream.FailReadsFrom(breakAt);
    EXPECT_EQ(target->Component()->setState(&stream), kResultFalse);
    EXPECT_EQ(target->SaveState(), before);
    turns.Run(2 * HostNotifier::kPeriodMs);
    EXPECT_TRUE(handler.Calls().empty());
  }
  auto target = Make();
  handler.Clear();
  EXPECT_EQ(target->LoadState(state), kResultOk);
  EXPECT_TRUE(handler.Calls().empty());
  ASSERT_TRUE(turns.RunUntil([&] { return !handler.Calls().empty(); }, 3000));
  ASSERT_EQ(handler.Calls().size(), 1u);
  EXPECT_EQ(handler.Calls()[0].kind, ComponentHandler::Kind::kRestart);
  EXPECT_EQ(static_cast<int32>(handler.Calls()[0].value), kParamValuesChanged);
}

// Bypass travels with a state saved while bypassed, as one double after the
// parameters; any other state is exactly the parameters and restores unbypassed.
TEST_F(StateTest, BypassTravelsOnlyWithABypassedState) {
  auto source = Make();
  std::vector<uint8_t> plain = ChangedState(*source);
  ASSERT_EQ(source->Controller()->setParamNormalized(kBpas, 1.0), kResultOk);
  std::vector<uint8_t> bypassed = source->SaveState();
  ASSERT_EQ(bypassed.size(), 208u);
  EXPECT_TRUE(std::equal(plain.begin(), plain.end(), bypassed.begin()));

  auto target = Make();
  ASSERT_EQ(target->LoadState(bypassed), kResultOk);
  EXPECT_EQ(target->Controller()->getParamNormalized(kBpas), 1.0);
  EXPECT_EQ(target->SaveState(), bypassed);
  ASSERT_EQ(target->LoadState(plain), kResultOk);
  EXPECT_EQ(target->Controller()->getParamNormalized(kBpas), 0.0);
  EXPECT_EQ(target->SaveState(), plain);
}
