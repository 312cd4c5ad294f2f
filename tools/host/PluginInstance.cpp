#include "tools/host/PluginInstance.h"

#include <cstring>

#include "tools/host/MemoryStream.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

std::string NarrowText(const TChar* text) {
  std::string out;
  for (; text && *text; ++text) out.push_back(static_cast<char>(*text & 0xFF));
  return out;
}

namespace {

template <typename I>
I* Query(FUnknown* object) {
  void* result = nullptr;
  if (!object || object->queryInterface(I::iid, &result) != kResultOk) return nullptr;
  return static_cast<I*>(result);
}

template <typename I>
void ReleaseInto(I*& p) {
  if (p) p->release();
  p = nullptr;
}

}  // namespace

std::unique_ptr<PluginInstance> PluginInstance::Create(IPluginFactory* factory,
                                                       HostApplication* app,
                                                       ComponentHandler* handler,
                                                       std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error) *error = why;
    return std::unique_ptr<PluginInstance>();
  };
  if (!factory) return fail("no factory");
  int32 count = factory->countClasses();
  for (int32 i = 0; i < count; ++i) {
    PClassInfo info;
    if (factory->getClassInfo(i, &info) != kResultOk) continue;
    if (std::strcmp(info.category, kVstAudioEffectClass) != 0) continue;
    std::unique_ptr<PluginInstance> plug(new PluginInstance());
    void* obj = nullptr;
    if (factory->createInstance(info.cid, IComponent::iid, &obj) != kResultOk || !obj)
      return fail("the factory could not create the plug-in");
    plug->component = static_cast<IComponent*>(obj);
    if (plug->component->initialize(app) != kResultOk) {
      plug->component->release();
      plug->component = nullptr;
      return fail("the plug-in refused to initialise");
    }
    plug->processor = Query<IAudioProcessor>(plug->component);
    plug->controller = Query<IEditController>(plug->component);
    plug->units = Query<IUnitInfo>(plug->component);
    plug->offscreen = Query<IOffscreenEditor>(plug->component);
    if (!plug->processor || !plug->controller)
      return fail("the plug-in is not a single-component effect");
    if (handler) plug->controller->setComponentHandler(handler);
    plug->ActivateDefaultBuses();
    return plug;
  }
  return fail("the factory offers no audio effect class");
}

PluginInstance::~PluginInstance() { Close(); }

void PluginInstance::ActivateDefaultBuses() {
  for (MediaType type : {kAudio, kEvent}) {
    for (BusDirection dir : {kInput, kOutput}) {
      for (int32 i = 0; i < component->getBusCount(type, dir); ++i) {
        BusInfo info = {};
        if (component->getBusInfo(type, dir, i, info) == kResultTrue &&
            (info.flags & BusInfo::kDefaultActive))
          component->activateBus(type, dir, i, true);
      }
    }
  }
}

void PluginInstance::Close() {
  if (!component) return;
  if (active) component->setActive(false);
  active = false;
  if (controller) controller->setComponentHandler(nullptr);
  ReleaseInto(offscreen);
  ReleaseInto(units);
  ReleaseInto(controller);
  ReleaseInto(processor);
  component->terminate();
  ReleaseInto(component);
}

tresult PluginInstance::Setup(double sampleRate, int32_t maxBlock, int32_t size, int32_t mode) {
  ProcessSetup setup{mode, size, maxBlock, sampleRate};
  tresult result = processor->setupProcessing(setup);
  if (result != kResultOk) return result;
  sampleSize = size;
  component->setActive(true);
  active = true;
  processor->setProcessing(true);
  return kResultOk;
}

ProcessData PluginInstance::BaseData(int32_t frames, int32_t size, IParameterChanges* changes,
                                     ProcessContext* context) const {
  ProcessData data;
  data.processMode = kRealtime;
  data.symbolicSampleSize = size;
  data.numSamples = frames;
  data.inputParameterChanges = changes;
  data.processContext = context;
  return data;
}

namespace {

void SetBuffers(AudioBusBuffers& bus, float** buffers) { bus.channelBuffers32 = buffers; }
void SetBuffers(AudioBusBuffers& bus, double** buffers) { bus.channelBuffers64 = buffers; }

}  // namespace

template <typename T>
tresult PluginInstance::ProcessBuses(int32_t frames, int32_t channels, T** in, T** out, int32_t size,
                                     IParameterChanges* changes, ProcessContext* context) {
  AudioBusBuffers inBus, outBus;
  inBus.numChannels = outBus.numChannels = channels;
  SetBuffers(inBus, in);
  SetBuffers(outBus, out);
  ProcessData data = BaseData(frames, size, changes, context);
  data.numInputs = in ? 1 : 0;
  data.inputs = in ? &inBus : nullptr;
  data.numOutputs = 1;
  data.outputs = &outBus;
  return processor->process(data);
}

tresult PluginInstance::Process(int32_t frames, int32_t channels, float** in, float** out,
                                IParameterChanges* changes, ProcessContext* context) {
  return ProcessBuses(frames, channels, in, out, kSample32, changes, context);
}

tresult PluginInstance::Process(int32_t frames, int32_t channels, double** in, double** out,
                                IParameterChanges* changes, ProcessContext* context) {
  return ProcessBuses(frames, channels, in, out, kSample64, changes, context);
}

tresult PluginInstance::Flush(IParameterChanges* changes) {
  ProcessData data = BaseData(0, sampleSize, changes, nullptr);
  return processor->process(data);
}

std::vector<uint8_t> PluginInstance::SaveState() {
  MemoryStream stream;
  if (component->getState(&stream) != kResultOk) return {};
  return stream.Bytes();
}

tresult PluginInstance::LoadState(const std::vector<uint8_t>& bytes) {
  MemoryStream stream(bytes);
  return component->setState(&stream);
}

int32_t PluginInstance::ParamCount() const { return controller->getParameterCount(); }

bool PluginInstance::ParamInfo(int32_t index, ParameterInfo& info) const {
  return controller->getParameterInfo(index, info) == kResultOk;
}

std::string PluginInstance::ValueText(ParamID id, double normalized) const {
  String128 text = {};
  if (controller->getParamStringByValue(id, normalized, text) != kResultOk) return std::string();
  return NarrowText(text);
}

bool PluginInstance::ProgramChangeParam(ParamID* id) const {
  for (int32_t i = 0; i < ParamCount(); ++i) {
    ParameterInfo info;
    if (!ParamInfo(i, info) || !(info.flags & ParameterInfo::kIsProgramChange)) continue;
    *id = info.id;
    return true;
  }
  return false;
}
