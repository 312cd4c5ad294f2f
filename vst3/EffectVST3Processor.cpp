// IEffectVST3: the audio side: bus layouts, processing setup and process().
#include <algorithm>
#include <cmath>

#include "editor/Editor.h"
#include "pluginterfaces/vst/ivstevents.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"
#include "vst3/EffectVST3.h"
#include "vst3/HostCall.h"
#include "vst3/SpeakerArrangements.h"
#include "vst3/WideText.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

using Guard = std::lock_guard<std::recursive_mutex>;

bool IEffectVST3::ReplaceAudioBus(BusList& list, int32_t channels, const char* name, BusType type,
                                  int32 flags) {
  if (list.empty()) return false;
  AudioBus* bus = FCast<AudioBus>(list.front().get());
  if (bus && ChannelsInArrangement(bus->getArrangement()) == channels) return false;
  list.erase(list.begin());
  String128 wide;
  WidenText(wide, name);
  list.push_back(owned(new AudioBus(wide, type, flags, ArrangementForChannels(channels))));
  return true;
}

tresult PLUGIN_API IEffectVST3::setBusArrangements(SpeakerArrangement* ins, int32 numIns,
                                                   SpeakerArrangement* outs, int32 numOuts) {
  // The bus lists are what process reads; a host that changes them while
  // processing waits for the block.
  Guard g(lock);
  ConnectInputs(0, InputChannelCount(), false);
  ConnectOutputs(0, OutputChannelCount(), false);
  // A host that sends no arrangement for a direction asks for no channels.
  int32_t nIn = ins && numIns > 0 ? ChannelsInArrangement(ins[0]) : 0;
  int32_t nOut = outs && numOuts > 0 ? ChannelsInArrangement(outs[0]) : 0;
  if (!IsChannelPairSupported(nIn, nOut)) return kResultFalse;

  ReplaceAudioBus(audioInputs, nIn, "Input", kMain, BusInfo::kDefaultActive);
  ReplaceAudioBus(audioOutputs, nOut, "Output", kMain, BusInfo::kDefaultActive);

  if (sideChainChannels == 0) return numIns == 1 ? kResultOk : kResultFalse;
  if (numIns != 2 || !ins) return kResultFalse;
  if (audioInputs.size() > 1) {
    AudioBus* aux = FCast<AudioBus>(audioInputs[1].get());
    int32_t nAux = ChannelsInArrangement(ins[1]);
    if (aux && ChannelsInArrangement(aux->getArrangement()) != nAux) {
      audioInputs.erase(audioInputs.begin() + 1);
      String128 wide;
      WidenText(wide, "Sidechain Input");
      audioInputs.push_back(owned(new AudioBus(wide, kAux, 0, ArrangementForChannels(nAux))));
    }
  }
  return kResultOk;
}

tresult PLUGIN_API IEffectVST3::canProcessSampleSize(int32 size) {
  return size == kSample32 || size == kSample64 ? kResultTrue : kResultFalse;
}

uint32 PLUGIN_API IEffectVST3::getLatencySamples() {
  return static_cast<uint32>(std::max(latency, 0));
}

tresult PLUGIN_API IEffectVST3::setupProcessing(ProcessSetup& setup) {
  if (setup.symbolicSampleSize != kSample32 && setup.symbolicSampleSize != kSample64)
    return kResultFalse;
  // A rate or block size the scratch buffers cannot be made for is refused;
  // the previous setup stays.
  return HostCall([&]() -> tresult {
    Guard g(lock);
    if (!Prepare(setup.sampleRate, setup.maxSamplesPerBlock)) return kResultFalse;
    processSetup = setup;
    processingSetUp = true;
    return kResultOk;
  });
}

tresult PLUGIN_API IEffectVST3::setActive(TBool state) {
  OnActiveChange(state != 0);
  return kResultOk;
}

tresult PLUGIN_API IEffectVST3::activateBus(MediaType type, BusDirection dir, int32 index,
                                            TBool state) {
  Guard g(lock);
  return SingleComponentEffect::activateBus(type, dir, index, state);
}

tresult PLUGIN_API IEffectVST3::terminate() {
  notifier.Stop();
  Guard g(lock);
  return SingleComponentEffect::terminate();
}

// --- process ------------------------------------------------------------------

tresult PLUGIN_API IEffectVST3::process(ProcessData& data) {
  Guard g(lock);
  if (data.processContext) context = *data.processContext;
  ApplyParameterChanges(data.inputParameterChanges);
  if (wantsMidi) DeliverEvents(data.inputEvents);
  if (!HasUsableAudio(data)) return kResultOk;
  if (!processingSetUp) {
    // The host never said how big a block may be: no rendering, only silence.
    SilenceOutputs(data);
    return kResultOk;
  }
  if (data.symbolicSampleSize == kSample64)
    ProcessAudio<double>(data);
  else
    ProcessAudio<float>(data);
  return kResultOk;
}

int32_t IEffectVST3::PresetIndexFor(ParamValue normalized) const {
  // Clamped first: a value outside 0..1 or NaN must not become a wild index.
  return static_cast<int32_t>((PresetCount() - 1) * ClampNormalized(normalized) + 0.5);
}

void IEffectVST3::ApplyParameterChange(ParamID id, ParamValue value) {
  if (id == kBypassId) {
    isBypassed = BypassOn(value);
  } else if (id == kProgramChangeId) {
    if (PresetCount() == 0) return;
    SelectPreset(PresetIndexFor(value));
    // The host may not be told from the audio thread; its UI thread hears.
    AskRestart(kParamValuesChanged);
  } else if (IsParamIndex(id)) {
    // Normalised values outside 0..1 would leave the parameter's range.
    SetParamFromHost(static_cast<int32_t>(id), ClampNormalized(value));
  }
}

void IEffectVST3::ApplyParameterChanges(IParameterChanges* changes) {
  if (!changes) return;
  int32 count = changes->getParameterCount();
  for (int32 i = 0; i < count; ++i) {
    IParamValueQueue* queue = changes->getParameterData(i);
    if (!queue) continue;
    int32 points = queue->getPointCount();
    int32 offset = 0;
    ParamValue value = 0.0;
    if (points <= 0 || queue->getPoint(points - 1, offset, value) != kResultOk) continue;
    ApplyParameterChange(queue->getParameterId(), value);
  }
}

void IEffectVST3::DeliverEvents(IEventList* events) {
  if (!events) return;
  int32 count = events->getEventCount();
  for (int32 i = 0; i < count; ++i) {
    Event event = {};
    if (events->getEvent(i, event) != kResultOk) continue;
    MidiMessage msg;
    msg.sampleOffset = event.sampleOffset;
    if (event.type == Event::kNoteOnEvent) {
      msg.status = static_cast<uint8_t>(0x90 | (event.noteOn.channel & 0x0F));
      msg.data1 = static_cast<uint8_t>(event.noteOn.pitch);
      msg.data2 = static_cast<uint8_t>(event.noteOn.velocity * 127.0f);
    } else if (event.type == Event::kNoteOffEvent) {
      msg.status = static_cast<uint8_t>(0x80 | (event.noteOff.channel & 0x0F));
      msg.data1 = static_cast<uint8_t>(event.noteOff.pitch);
      msg.data2 = 0;
    } else {
      continue;
    }
    OnMidiMessage(msg);
  }
}

namespace {

// Every channel buffer a bus hands us, in the block's sample size, is there.
bool BusBuffersPresent(const AudioBusBuffers& bus, int32 sampleSize) {
  if (bus.numChannels <= 0) return true;
  if (sampleSize == kSample64) {
    if (!bus.channelBuffers64) return false;
    for (int32 c = 0; c < bus.numChannels; ++c)
      if (!bus.channelBuffers64[c]) return false;
  } else {
    if (!bus.channelBuffers32) return false;
    for (int32 c = 0; c < bus.numChannels; ++c)
      if (!bus.channelBuffers32[c]) return false;
  }
  return true;
}

}  // namespace

bool IEffectVST3::HasUsableAudio(const ProcessData& data) const {
  if (data.numSamples <= 0 || data.numOutputs <= 0 || !data.outputs) return false;
  if (data.numInputs > 0 && !data.inputs) return false;
  // Buffers of the other sample size than the one set up would be misread.
  if (processingSetUp && data.symbolicSampleSize != processSetup.symbolicSampleSize) return false;
  if (data.symbolicSampleSize != kSample32 && data.symbolicSampleSize != kSample64) return false;
  for (int32 i = 0; i < data.numInputs; ++i)
    if (!BusBuffersPresent(data.inputs[i], data.symbolicSampleSize)) return false;
  for (int32 i = 0; i < data.numOutputs; ++i)
    if (!BusBuffersPresent(data.outputs[i], data.symbolicSampleSize)) return false;
  return true;
}

void IEffectVST3::SilenceOutputs(ProcessData& data, int32 firstBus) {
  for (int32 j = firstBus; j < data.numOutputs; ++j) {
    AudioBusBuffers& bus = data.outputs[j];
    for (int32 c = 0; c < bus.numChannels; ++c) {
      if (data.symbolicSampleSize == kSample64)
        std::fill(bus.channelBuffers64[c], bus.channelBuffers64[c] + data.numSamples, 0.0);
      else
        std::fill(bus.channelBuffers32[c], bus.channelBuffers32[c] + data.numSamples, 0.0f);
    }
  }
}

namespace {

template <typename Sample>
Sample** Channels(const AudioBusBuffers& bus);
template <>
float** Channels<float>(const AudioBusBuffers& bus) { return bus.channelBuffers32; }
template <>
double** Channels<double>(const AudioBusBuffers& bus) { return bus.channelBuffers64; }

template <typename Sample>
HostBus<Sample> BusOf(const AudioBusBuffers& bus, bool active) {
  return {Channels<Sample>(bus), bus.numChannels, active};
}

// More output buses than this in one block are not bound but silenced: the
// plug-in has channels for only a few.
constexpr int32 kMaxOutputBuses = 16;

}  // namespace

template <typename Sample>
void IEffectVST3::ProcessAudio(ProcessData& data) {
  auto isActive = [](const BusList& list, int32 index) {
    return index < static_cast<int32>(list.size()) && list[index]->isActive();
  };
  HostBus<Sample> mainInput, auxInput, outputs[kMaxOutputBuses];
  HostBlock<Sample> block;
  block.frames = data.numSamples;
  if (data.numInputs > 0) {
    mainInput = BusOf<Sample>(data.inputs[0], true);
    block.mainInput = &mainInput;
  }
  if (data.numInputs > 1) {
    auxInput = BusOf<Sample>(data.inputs[1], isActive(audioInputs, 1));
    block.auxInput = &auxInput;
  }
  block.outputBusCount = std::min(data.numOutputs, kMaxOutputBuses);
  for (int32 j = 0; j < block.outputBusCount; ++j)
    outputs[j] = BusOf<Sample>(data.outputs[j], isActive(audioOutputs, j));
  block.outputs = outputs;
  Process(block);
  SilenceOutputs(data, block.outputBusCount);
}
