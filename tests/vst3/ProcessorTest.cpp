// Buses, processing setup and process() through the loaded bundle.
#include <algorithm>
#include <cmath>

#include "BundleFixture.h"
#include "instrument/Ondivox.h"

namespace {

constexpr double kRate = 48000.0;

double Peak(const std::vector<double>& v) {
  double peak = 0.0;
  for (double x : v) peak = std::max(peak, std::fabs(x));
  return peak;
}

// Same length and every sample within tolerance; the first miss is reported.
void ExpectSameSignal(const std::vector<double>& got, const std::vector<double>& want, double tolerance) {
  ASSERT_EQ(got.size(), want.size());
  for (std::size_t i = 0; i < got.size(); ++i) ASSERT_NEAR(got[i], want[i], tolerance) << "sample " << i;
}

std::string BusName(IComponent* c, BusDirection dir, int32 index, int32* channels) {
  BusInfo info = {};
  if (c->getBusInfo(kAudio, dir, index, info) != kResultTrue) return "<none>";
  *channels = info.channelCount;
  return NarrowText(info.name);
}

}  // namespace

class ProcessorTest : public BundleTest {
 protected:
  // Renders frames of the current program in calls of at most `call` frames
  // of sample type T, transport playing from position 0; the left channel.
  // The calls go straight to the plug-in, even longer than it was promised.
  template <typename T = double>
  std::vector<double> Render(PluginInstance& plug, int frames, int call) {
    std::vector<double> out;
    StereoBuffers<T> in(call), buf(call);
    for (int pos = 0; pos < frames; pos += call) {
      int n = std::min(call, frames - pos);
      ProcessContext context = PlayingContext(kRate, pos);
      EXPECT_EQ(SendProcess(plug.Processor(), kRealtime, n, 2, in.pointers, buf.pointers, nullptr, &context),
                kResultOk);
      out.insert(out.end(), buf.left.begin(), buf.left.begin() + n);
    }
    return out;
  }
};

TEST_F(ProcessorTest, BusesAfterInitialize) {
  auto plug = Make();
  IComponent* c = plug->Component();
  EXPECT_EQ(c->getBusCount(kAudio, kInput), 1);
  EXPECT_EQ(c->getBusCount(kAudio, kOutput), 1);
  EXPECT_EQ(c->getBusCount(kEvent, kInput), 0);
  BusInfo info = {};
  ASSERT_EQ(c->getBusInfo(kAudio, kInput, 0, info), kResultTrue);
  EXPECT_EQ(NarrowText(info.name), "Main Input");
  EXPECT_EQ(info.channelCount, 2);
  EXPECT_EQ(info.busType, kMain);
  EXPECT_EQ(info.flags, static_cast<uint32>(BusInfo::kDefaultActive));
  ASSERT_EQ(c->getBusInfo(kAudio, kOutput, 0, info), kResultTrue);
  EXPECT_EQ(NarrowText(info.name), "Output");
  SpeakerArrangement arr = 0;
  ASSERT_EQ(plug->Processor()->getBusArrangement(kOutput, 0, arr), kResultTrue);
  EXPECT_EQ(arr, SpeakerArr::kStereo);
  EXPECT_NE(c->getBusInfo(kAudio, kOutput, 1, info), kResultTrue);
}

TEST_F(ProcessorTest, BusArrangementsAcceptedAndRefused) {
  const SpeakerArrangement mono = SpeakerArr::kMono, stereo = SpeakerArr::kStereo;
  struct Case {
    const char* what;
    std::vector<SpeakerArrangement> ins, outs;
    tresult result;
    const char* inName;
    int32 inChannels;
  };
  const Case cases[] = {
      {"stereo to stereo", {stereo}, {stereo}, kResultOk, "Main Input", 2},
      {"mono to mono", {mono}, {mono}, kResultOk, "Input", 1},
      {"mono to stereo", {mono}, {stereo}, kResultFalse, "Main Input", 2},
      {"two inputs", {stereo, stereo}, {stereo}, kResultFalse, "Main Input", 2},
      {"no inputs", {}, {stereo}, kResultFalse, "Main Input", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto plug = Make();
    std::vector<SpeakerArrangement> ins = c.ins, outs = c.outs;
    EXPECT_EQ(plug->Processor()->setBusArrangements(ins.data(), static_cast<int32>(ins.size()),
                                                    outs.data(), static_cast<int32>(outs.size())),
              c.result);
    int32 channels = 0;
    EXPECT_EQ(BusName(plug->Component(), kInput, 0, &channels), c.inName);
    EXPECT_EQ(channels, c.inChannels);
  }
}

TEST_F(ProcessorTest, MonoLayoutRendersIntoTheOneChannel) {
  auto plug = Make();
  SpeakerArrangement mono = SpeakerArr::kMono;
  ASSERT_EQ(plug->Processor()->setBusArrangements(&mono, 1, &mono, 1), kResultOk);
  plug->ActivateDefaultBuses();
  int32 channels = 0;
  EXPECT_EQ(BusName(plug->Component(), kOutput, 0, &channels), "Output");
  EXPECT_EQ(channels, 1);
  ASSERT_EQ(plug->Setup(kRate, 512, kSample64), kResultOk);
  std::vector<double> in(512, 0.0), out(512, 0.0);
  double* inPtr[1] = {in.data()};
  double* outPtr[1] = {out.data()};
  for (int i = 0; i < 8; ++i) {
    ProcessContext context = PlayingContext(kRate, i * 512);
    ASSERT_EQ(plug->Process(512, 1, inPtr, outPtr, nullptr, &context), kResultOk);
  }
  EXPECT_GT(Peak(out), 0.01);
}

TEST_F(ProcessorTest, SampleSizesAndSetup) {
  auto plug = Make();
  IAudioProcessor* p = plug->Processor();
  EXPECT_EQ(p->canProcessSampleSize(kSample32), kResultTrue);
  EXPECT_EQ(p->canProcessSampleSize(kSample64), kResultTrue);
  EXPECT_EQ(p->canProcessSampleSize(2), kResultFalse);
  EXPECT_EQ(p->getLatencySamples(), 0u);
  EXPECT_EQ(p->getTailSamples(), 0u);
  ProcessSetup bad{kRealtime, 2, 512, kRate};
  EXPECT_EQ(p->setupProcessing(bad), kResultFalse);
  EXPECT_EQ(plug->Setup(kRate, 512, kSample32), kResultOk);
}

TEST_F(ProcessorTest, ThirtyTwoAndSixtyFourBitRenderTheSameTone) {
  auto plug64 = Make();
  auto plug32 = Make();
  ASSERT_EQ(plug64->Setup(kRate, 256, kSample64), kResultOk);
  ASSERT_EQ(plug32->Setup(kRate, 256, kSample32), kResultOk);
  std::vector<double> out64 = Render(*plug64, 8192, 256);
  std::vector<double> out32 = Render<float>(*plug32, 8192, 256);
  EXPECT_GT(Peak(out64), 0.05);
  ExpectSameSignal(out32, out64, 1e-6);
}

TEST_F(ProcessorTest, BlocksLongerThanPromisedAreRenderedInPieces) {
  auto whole = Make();
  auto pieces = Make();
  ASSERT_EQ(whole->Setup(kRate, 256, kSample64), kResultOk);
  ASSERT_EQ(pieces->Setup(kRate, 256, kSample64), kResultOk);
  // One call of 4096 frames against a promise of 256.
  std::vector<double> a = Render(*whole, 4096, 4096);
  std::vector<double> b = Render(*pieces, 4096, 256);
  EXPECT_GT(Peak(a), 0.05);
  ExpectSameSignal(b, a, 1e-12);

  // The same through 32-bit buffers, where the scratch buffers are in play.
  auto whole32 = Make();
  ASSERT_EQ(whole32->Setup(kRate, 256, kSample32), kResultOk);
  std::vector<double> c = Render<float>(*whole32, 4096, 4096);
  ExpectSameSignal(c, a, 1e-6);
}

TEST_F(ProcessorTest, OnlyTheLastPointOfAQueueApplies) {
  auto plug = Make();
  ASSERT_EQ(plug->Setup(kRate, 256, kSample64), kResultOk);
  ParameterChanges changes;
  changes.Add(kVolume, 0.2, 0);
  changes.Add(kVolume, 0.4, 64);
  changes.Add(kVolume, 0.6, 128);
  StereoBuffers<double> in(256), out(256);
  ASSERT_EQ(plug->Process(256, 2, in.pointers, out.pointers, &changes), kResultOk);
  EXPECT_DOUBLE_EQ(plug->Controller()->getParamNormalized(kVolume), 0.6);

  // A queue whose last point cannot be read is skipped; IDs that name
  // nothing are ignored; values outside 0..1 are held to the range.
  ParameterChanges more;
  more.Add(kVolume, 0.9)->FailReads(true);
  more.Add(4711, 0.5);
  more.Add(kPan, 7.0);
  more.Add(kRound, -3.0);
  ASSERT_EQ(plug->Process(256, 2, in.pointers, out.pointers, &more), kResultOk);
  EXPECT_DOUBLE_EQ(plug->Controller()->getParamNormalized(kVolume), 0.6);
  EXPECT_DOUBLE_EQ(plug->Controller()->getParamNormalized(kPan), 1.0);
  EXPECT_DOUBLE_EQ(plug->Controller()->getParamNormalized(kRound), 0.0);
}

TEST_F(ProcessorTest, ProgramChangeHalfwaySelectsPreset75) {
  auto plug = Make();
  ASSERT_EQ(plug->Setup(kRate, 256, kSample64), kResultOk);
  ParameterChanges changes;
  changes.Add(kPrst, 0.5);
  ASSERT_EQ(plug->Flush(&changes), kResultOk);
  EXPECT_DOUBLE_EQ(plug->Controller()->getParamNormalized(kPrst), ProgramValue(75));

  CLS_ONDIVOX reference;
  ASSERT_TRUE(reference.SelectPreset(75));
  StateChunk expected;
  ASSERT_TRUE(reference.SaveParams(expected));
  std::vector<uint8_t> state = plug->SaveState();
  ASSERT_EQ(state.size(), static_cast<std::size_t>(expected.Size()));
  EXPECT_TRUE(std::equal(state.begin(), state.end(), expected.Data()));

  // Out-of-range and undefined program values stay inside the list.
  changes.Clear();
  changes.Add(kPrst, 9.0);
  ASSERT_EQ(plug->Flush(&changes), kResultOk);
  EXPECT_DOUBLE_EQ(plug->Controller()->getParamNormalized(kPrst), 1.0);
  changes.Clear();
  changes.Add(kPrst, std::nan(""));
  ASSERT_EQ(plug->Flush(&changes), kResultOk);
  EXPECT_DOUBLE_EQ(plug->Controller()->getParamNormalized(kPrst), 0.0);
}

TEST_F(ProcessorTest, BypassPassesTheInputThrough) {
  auto plug = Make();
  ASSERT_EQ(plug->Setup(kRate, 256, kSample64), kResultOk);
  StereoBuffers<double> in(256), out(256);
  for (int i = 0; i < 256; ++i) {
    in.left[i] = std::sin(i * 0.1) * 0.5;
    in.right[i] = std::cos(i * 0.07) * 0.25;
  }
  ParameterChanges changes;
  changes.Add(kBpas, 1.0);
  ProcessContext context = PlayingContext(kRate, 0);
  ASSERT_EQ(plug->Process(256, 2, in.pointers, out.pointers, &changes, &context), kResultOk);
  EXPECT_EQ(out.left, in.left);
  EXPECT_EQ(out.right, in.right);
  EXPECT_EQ(plug->Controller()->getParamNormalized(kBpas), 1.0);

  // A new processing setup clears bypass.
  ASSERT_EQ(plug->Restart(kRate, 256, kSample64, kRealtime), kResultOk);
  EXPECT_EQ(plug->Controller()->getParamNormalized(kBpas), 0.0);
}

TEST_F(ProcessorTest, FlushesApplyParametersAndTouchNoAudio) {
  auto plug = Make();
  ASSERT_EQ(plug->Setup(kRate, 256, kSample32), kResultOk);
  IAudioProcessor* p = plug->Processor();

  ParameterChanges changes;
  changes.Add(kVolume, 0.25);
  ASSERT_EQ(plug->Flush(&changes), kResultOk);
  EXPECT_DOUBLE_EQ(plug->Controller()->getParamNormalized(kVolume), 0.25);

  // Buses whose channel buffers are missing, and samples without buses.
  AudioBusBuffers noBuffers[1];
  noBuffers[0].numChannels = 2;
  ProcessData data;
  data.symbolicSampleSize = kSample32;
  data.numSamples = 256;
  data.numInputs = 1;
  data.inputs = noBuffers;
  data.numOutputs = 1;
  data.outputs = noBuffers;
  changes.Clear();
  changes.Add(kVolume, 0.5);
  data.inputParameterChanges = &changes;
  EXPECT_EQ(p->process(data), kResultOk);
  EXPECT_DOUBLE_EQ(plug->Controller()->getParamNormalized(kVolume), 0.5);

  data.numInputs = data.numOutputs = 0;
  data.inputs = data.outputs = nullptr;
  EXPECT_EQ(p->process(data), kResultOk);

  // Buffers of the other sample size than the one set up are left alone
  // (our host refuses to send them; a careless one may).
  StereoBuffers<double> in(256, 0.125), out(256, 0.125);
  ProcessContext context = PlayingContext(kRate, 0);
  ASSERT_EQ(SendProcess(p, kRealtime, 256, 2, in.pointers, out.pointers, nullptr, &context), kResultOk);
  EXPECT_EQ(out.left, std::vector<double>(256, 0.125));
}

TEST_F(ProcessorTest, ProcessBeforeSetupWritesSilence) {
  auto plug = Make();
  StereoBuffers<float> in(300, 0.5f), out(300, 0.5f);
  ParameterChanges changes;
  changes.Add(kVolume, 0.3);
  ProcessContext context = PlayingContext(kRate, 0);
  ASSERT_EQ(SendProcess(plug->Processor(), kRealtime, 300, 2, in.pointers, out.pointers, &changes, &context),
            kResultOk);
  EXPECT_EQ(out.left, std::vector<float>(300, 0.0f));
  EXPECT_DOUBLE_EQ(plug->Controller()->getParamNormalized(kVolume), 0.3);
}

TEST_F(ProcessorTest, RepeatedSetupAndActivationKeepRendering) {
  auto plug = Make();
  const int32 sizes[] = {64, 1024, 128, 128};
  for (int32 size : sizes) {
    ASSERT_EQ(plug->Restart(kRate, size, kSample32, kRealtime), kResultOk);
    plug->Component()->setActive(false);
    plug->Component()->setActive(true);
    StereoBuffers<float> in(2048), out(2048);
    ProcessContext context = PlayingContext(kRate, 0);
    ASSERT_EQ(SendProcess(plug->Processor(), kRealtime, 2048, 2, in.pointers, out.pointers, nullptr, &context),
              kResultOk);
    float peak = 0;
    for (float x : out.left) peak = std::max(peak, std::fabs(x));
    EXPECT_GT(peak, 0.01f) << "block size " << size;
  }
}

TEST_F(ProcessorTest, InstancesAreIndependent) {
  auto a = Make();
  auto b = Make();
  auto solo = Make();
  for (auto* p : {a.get(), b.get(), solo.get()}) ASSERT_EQ(p->Setup(kRate, 256, kSample64), kResultOk);
  ParameterChanges changes;
  changes.Add(kPrst, ProgramValue(3));
  changes.Add(kVolume, 0.1);
  ASSERT_EQ(a->Flush(&changes), kResultOk);
  EXPECT_NE(a->SaveState(), b->SaveState());
  EXPECT_EQ(b->SaveState(), solo->SaveState());

  // Rendering a between b's blocks changes nothing in b's sound.
  StereoBuffers<double> in(256), outA(256), outB(256), outSolo(256);
  for (int pos = 0; pos < 4096; pos += 256) {
    ProcessContext context = PlayingContext(kRate, pos);
    a->Process(256, 2, in.pointers, outA.pointers, nullptr, &context);
    b->Process(256, 2, in.pointers, outB.pointers, nullptr, &context);
    solo->Process(256, 2, in.pointers, outSolo.pointers, nullptr, &context);
    ASSERT_EQ(outB.left, outSolo.left) << "block at " << pos;
  }
}

namespace {

// The factory program of that name, selected as a host's program menu does.
void SelectProgramByName(PluginInstance& plug, const std::string& name) {
  for (int32 i = 0; i < kNumPresetSlots; ++i) {
    String128 text = {};
    ASSERT_EQ(plug.Units()->getProgramName(kPrst, i, text), kResultOk);
    if (NarrowText(text) != name) continue;
    ParameterChanges changes;
    changes.Add(kPrst, ProgramValue(i));
    ASSERT_EQ(plug.Flush(&changes), kResultOk);
    return;
  }
  FAIL() << "no program " << name;
}

// Mean carrier frequency from the upward zero crossings of out[from, to).
double CrossingFrequency(const std::vector<double>& out, std::size_t from, std::size_t to) {
  std::vector<std::size_t> ups;
  for (std::size_t i = from + 1; i < to; ++i)
    if (out[i - 1] < 0.0 && out[i] >= 0.0) ups.push_back(i);
  if (ups.size() < 2) return 0.0;
  return (ups.size() - 1) * kRate / static_cast<double>(ups.back() - ups.front());
}

// Samples from the first sound to the first silence of at least a millisecond.
std::size_t FirstPulseLength(const std::vector<double>& out) {
  std::size_t start = 0;
  while (start < out.size() && out[start] == 0.0) ++start;
  for (std::size_t i = start, zeros = 0; i < out.size(); ++i) {
    zeros = out[i] == 0.0 ? zeros + 1 : 0;
    if (zeros == 48) return i + 1 - zeros - start;
  }
  return out.size() - start;
}

}  // namespace

// Playback starts at the program's pitch and pulse rate; the glide is for
// later changes, so even a 90-second "Fade" does not sweep up from 0 Hz.
TEST_F(ProcessorTest, PlaybackStartsAtThePitchAndPulseRateNotWithASweep) {
  auto plug = Make();
  ASSERT_EQ(plug->Setup(kRate, 512, kSample64), kResultOk);
  SelectProgramByName(*plug, "Healing - 432 Hz (Natural, harmonic intonation of nature)");
  ParameterChanges fade;
  fade.Add(kFade, plug->Controller()->plainParamToNormalized(kFade, 90000.0));
  ASSERT_EQ(plug->Flush(&fade), kResultOk);
  std::vector<double> out = Render(*plug, 2400, 512);
  EXPECT_NEAR(CrossingFrequency(out, 0, 2400), 432.0, 0.5);

  auto pulsed = Make();
  ASSERT_EQ(pulsed->Setup(kRate, 512, kSample64), kResultOk);
  SelectProgramByName(*pulsed, "Isochronic - 4.0 (Extrasensory perception, astral Projection)");
  std::vector<double> pulses = Render(*pulsed, 24000, 512);
  // 4 Hz: the gate opens for the first half of each 250 ms cycle.
  EXPECT_NEAR(static_cast<double>(FirstPulseLength(pulses)), 6000.0, 2.0);
}
