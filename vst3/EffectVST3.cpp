// IEffectVST3: construction, initialisation and the host's time information.
#include "vst3/EffectVST3.h"

#include <cstdio>

#include "pluginterfaces/vst/ivsthostapplication.h"
#include "vst3/EffectParameter.h"
#include "vst3/HostCall.h"
#include "vst3/ModuleFactory.h"
#include "vst3/SpeakerArrangements.h"
#include "vst3/WideText.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

using Guard = std::lock_guard<std::recursive_mutex>;

namespace {

EffectConfig WithApiKind(EffectConfig config) {
  config.apiKind = IEffectVST3::kApiKindVst3;
  return config;
}

}  // namespace

IEffectVST3::IEffectVST3(const EffectConfig& config, int32_t sideChain)
    : IEffectBase(WithApiKind(config)) {
  sideChainChannels = sideChain;
  FillBusNames();
}

IEffectVST3::~IEffectVST3() = default;

void IEffectVST3::FillBusNames() {
  inputBusNames.push_back("Main Input");
  if (sideChainChannels != 0) inputBusNames.push_back("Aux Input");
  if (!isInstrument) {
    outputBusNames.push_back("Output");
    return;
  }
  char name[32];
  for (int32_t i = 0; i < (OutputChannelCount() + 1) / 2; ++i) {
    std::snprintf(name, sizeof name, "Output %d", static_cast<int>(i + 1));
    outputBusNames.push_back(name);
  }
}

tresult PLUGIN_API IEffectVST3::initialize(FUnknown* hostContextIn) {
  const tresult result = HostCall([&]() -> tresult {
    Guard g(lock);
    return InitializeLocked(hostContextIn);
  });
  if (result == kResultOk) notifier.Start(hostContext, componentHandler);
  return result;
}

tresult IEffectVST3::InitializeLocked(FUnknown* hostContextIn) {
  tresult result = SingleComponentEffect::initialize(hostContextIn);

  FUnknownPtr<IHostApplication> app(hostContextIn);
  String128 wideName = {};
  if (app && app->getName(wideName) == kResultOk) {
    char name[129];
    NarrowText(name, wideName, sizeof name);
    IdentifyHost(name, 0);
  }
  if (result != kResultOk) {
    OnHostKnown();
    return result;
  }

  AddAudioBuses();
  if (wantsMidi) {
    String128 name;
    WidenText(name, "MIDI Input");
    eventInputs.push_back(owned(new EventBus(name, kMain, BusInfo::kDefaultActive, 1)));
  }
  RegisterParameters();
  OnHostKnown();
  return result;
}

void IEffectVST3::AddAudioBuses() {
  String128 name;
  int32_t mainInputs = InputChannelCount() - sideChainChannels;
  if (mainInputs >= 1 && mainInputs <= 6) {
    WidenText(name, inputBusNames[0].c_str());
    audioInputs.push_back(owned(new AudioBus(name, kMain, BusInfo::kDefaultActive,
                                          ArrangementForChannels(mainInputs))));
  }
  if (isInstrument) {
    for (std::size_t i = 0; i < outputBusNames.size(); ++i) {
      WidenText(name, outputBusNames[i].c_str());
      audioOutputs.push_back(owned(new AudioBus(name, kMain, BusInfo::kDefaultActive,
                                             SpeakerArr::kStereo)));
    }
  } else {
    WidenText(name, "Output");
    audioOutputs.push_back(owned(new AudioBus(name, kMain, BusInfo::kDefaultActive,
                                           ArrangementForChannels(OutputChannelCount()))));
  }
  if (sideChainChannels != 0) {
    if (sideChainChannels > 2) sideChainChannels = 2;
    WidenText(name, "Aux Input");
    audioInputs.push_back(owned(new AudioBus(name, kAux, 0, ArrangementForChannels(sideChainChannels))));
  }
}

void* IEffectVST3::ResourceModule() const { return GetModuleLocation().handle; }

// --- Time information, read from the last process context ------------------

int64_t IEffectVST3::SamplePosition() { return context.projectTimeSamples; }

double IEffectVST3::Tempo() { return context.tempo; }

void IEffectVST3::TimeSignature(int32_t* numerator, int32_t* denominator) {
  if (numerator) *numerator = context.timeSigNumerator;
  if (denominator) *denominator = context.timeSigDenominator;
}

bool IEffectVST3::IsOfflineRendering() { return processSetup.processMode == kOffline; }

int32_t IEffectVST3::TransportState() {
  if (context.state & ProcessContext::kPlaying) return kTransportPlaying;
  if (context.state & ProcessContext::kRecording) return kTransportRecording;
  return kTransportStopped;
}

void IEffectVST3::GetTimeInfo(HostTimeInfo* info) {
  if (!info) return;
  info->tempo = context.tempo;
  info->samplePos = static_cast<double>(context.projectTimeSamples);
  info->ppqPos = context.projectTimeMusic;
  info->lastBarPos = context.barPositionMusic;
  info->cycleStart = context.cycleStartMusic;
  info->cycleEnd = context.cycleEndMusic;
  info->timeSigNumerator = context.timeSigNumerator;
  info->timeSigDenominator = context.timeSigDenominator;
  info->transportRunning = (context.state & ProcessContext::kPlaying) != 0;
  info->loopActive = (context.state & ProcessContext::kCycleActive) != 0;
}
