#include "tools/host/PluginInstance.h"

#include <cstring>
#include <initializer_list>

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

const char* PluginStageName(PluginStage stage) {
  switch (stage) {
    case PluginStage::kInitialised: return "initialised";
    case PluginStage::kSetUp: return "set up";
    case PluginStage::kActive: return "active";
    case PluginStage::kProcessing: return "processing";
  }
  return "?";
}

std::shared_ptr<PluginModule> LoadBundle(const std::string& bundlePath, std::string* error) {
  auto module = std::make_shared<PluginModule>();
  if (module->Load(bundlePath)) return module;
  if (error) *error = module->Error();
  return nullptr;
}

PluginInstance::PluginInstance(std::shared_ptr<PluginModule> module, const PluginHost& host)
    : module(std::move(module)), app(host.name), handler(host.handler ? host.handler : &ownHandler) {}

std::unique_ptr<PluginInstance> PluginInstance::Open(std::shared_ptr<PluginModule> module, const PluginHost& host,
                                                     std::string* error) {
  if (!module || !module->Factory()) {
    if (error) *error = "no plug-in factory";
    return nullptr;
  }
  std::unique_ptr<PluginInstance> plug(new PluginInstance(std::move(module), host));
  if (!plug->Create(error)) return nullptr;
  return plug;
}

std::unique_ptr<PluginInstance> PluginInstance::Open(const std::string& bundlePath, const PluginHost& host,
                                                     std::string* error) {
  std::shared_ptr<PluginModule> module = LoadBundle(bundlePath, error);
  return module ? Open(std::move(module), host, error) : nullptr;
}

bool PluginInstance::Create(std::string* why) {
  auto fail = [&](const std::string& text) {
    if (why) *why = text;
    return false;
  };
  IPluginFactory* factory = module->Factory();
  int32 count = factory->countClasses();
  for (int32 i = 0; i < count; ++i) {
    PClassInfo info;
    if (factory->getClassInfo(i, &info) != kResultOk) continue;
    if (std::strcmp(info.category, kVstAudioEffectClass) != 0) continue;
    void* obj = nullptr;
    if (factory->createInstance(info.cid, IComponent::iid, &obj) != kResultOk || !obj)
      return fail("the factory could not create the plug-in");
    component = static_cast<IComponent*>(obj);
    if (component->initialize(&app) != kResultOk) {
      ReleaseInto(component);
      return fail("the plug-in refused to initialise");
    }
    processor = Query<IAudioProcessor>(component);
    controller = Query<IEditController>(component);
    units = Query<IUnitInfo>(component);
    offscreen = Query<IOffscreenEditor>(component);
    if (!processor || !controller) return fail("the plug-in is not a single-component effect");
    controller->setComponentHandler(handler);
    ActivateDefaultBuses();
    return true;
  }
  return fail("the factory offers no audio effect class");
}

PluginInstance::~PluginInstance() { Close(); }

tresult PluginInstance::ActivateDefaultBuses() {
  if (!StandsAt("activateBus", {PluginStage::kInitialised, PluginStage::kSetUp})) return kResultFalse;
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
  return kResultOk;
}

void PluginInstance::Close() {
  if (!component) return;
  if (stage == PluginStage::kProcessing) StopProcessing();
  if (stage == PluginStage::kActive) Deactivate();
  if (controller) controller->setComponentHandler(nullptr);
  ReleaseInto(offscreen);
  ReleaseInto(units);
  ReleaseInto(controller);
  ReleaseInto(processor);
  component->terminate();
  ReleaseInto(component);
}

bool PluginInstance::StandsAt(const char* call, std::initializer_list<PluginStage> stages) {
  error.clear();
  for (PluginStage s : stages)
    if (stage == s) return true;
  error = std::string(call) + " refused: the plug-in is " + PluginStageName(stage) + ", not ";
  for (auto s = stages.begin(); s != stages.end(); ++s)
    error += std::string(s == stages.begin() ? "" : " or ") + PluginStageName(*s);
  return false;
}

tresult PluginInstance::Answer(const char* call, tresult result) {
  if (result != kResultOk) error = std::string("the plug-in refused ") + call;
  return result;
}

tresult PluginInstance::SetupProcessing(const ProcessSetup& wanted) {
  if (!StandsAt("setupProcessing", {PluginStage::kInitialised, PluginStage::kSetUp})) return kResultFalse;
  ProcessSetup copy = wanted;
  if (Answer("the processing setup", processor->setupProcessing(copy)) != kResultOk) return kResultFalse;
  setup = wanted;
  stage = PluginStage::kSetUp;
  return kResultOk;
}

tresult PluginInstance::Activate() {
  if (!StandsAt("setActive(true)", {PluginStage::kSetUp})) return kResultFalse;
  if (Answer("activation", component->setActive(true)) != kResultOk) return kResultFalse;
  stage = PluginStage::kActive;
  return kResultOk;
}

tresult PluginInstance::StartProcessing() {
  if (!StandsAt("setProcessing(true)", {PluginStage::kActive})) return kResultFalse;
  // A plug-in with nothing to do when processing starts may say so.
  const tresult result = processor->setProcessing(true);
  if (result != kResultOk && result != kNotImplemented) return Answer("processing", result);
  stage = PluginStage::kProcessing;
  return kResultOk;
}

tresult PluginInstance::StopProcessing() {
  if (!StandsAt("setProcessing(false)", {PluginStage::kProcessing})) return kResultFalse;
  processor->setProcessing(false);
  stage = PluginStage::kActive;
  return kResultOk;
}

tresult PluginInstance::Deactivate() {
  if (!StandsAt("setActive(false)", {PluginStage::kActive})) return kResultFalse;
  component->setActive(false);
  stage = PluginStage::kSetUp;
  return kResultOk;
}

tresult PluginInstance::Setup(double sampleRate, int32_t maxBlock, int32_t size, int32_t mode) {
  if (SetupProcessing(ProcessSetup{mode, size, maxBlock, sampleRate}) != kResultOk) return kResultFalse;
  if (Activate() != kResultOk) return kResultFalse;
  return StartProcessing();
}

tresult PluginInstance::Restart(double sampleRate, int32_t maxBlock, int32_t size, int32_t mode) {
  if (stage == PluginStage::kProcessing) StopProcessing();
  if (stage == PluginStage::kActive) Deactivate();
  return Setup(sampleRate, maxBlock, size, mode);
}

namespace {

ProcessData BaseData(int32_t mode, int32_t frames, int32_t size, IParameterChanges* changes,
                     ProcessContext* context) {
  ProcessData data;
  data.processMode = mode;
  data.symbolicSampleSize = size;
  data.numSamples = frames;
  data.inputParameterChanges = changes;
  data.processContext = context;
  return data;
}

void SetBuffers(AudioBusBuffers& bus, float** buffers) { bus.channelBuffers32 = buffers; }
void SetBuffers(AudioBusBuffers& bus, double** buffers) { bus.channelBuffers64 = buffers; }
constexpr int32_t SampleSizeOf(float**) { return kSample32; }
constexpr int32_t SampleSizeOf(double**) { return kSample64; }

template <typename T>
tresult SendBuses(IAudioProcessor* processor, int32_t mode, int32_t frames, int32_t channels, T** in, T** out,
                  IParameterChanges* changes, ProcessContext* context) {
  AudioBusBuffers inBus, outBus;
  inBus.numChannels = outBus.numChannels = channels;
  SetBuffers(inBus, in);
  SetBuffers(outBus, out);
  ProcessData data = BaseData(mode, frames, SampleSizeOf(out), changes, context);
  data.numInputs = in ? 1 : 0;
  data.inputs = in ? &inBus : nullptr;
  data.numOutputs = 1;
  data.outputs = &outBus;
  return processor->process(data);
}

const char* BitsOf(int32_t size) { return size == kSample64 ? "64" : "32"; }

}  // namespace

tresult SendProcess(IAudioProcessor* processor, int32_t mode, int32_t frames, int32_t channels, float** in,
                    float** out, IParameterChanges* changes, ProcessContext* context) {
  return SendBuses(processor, mode, frames, channels, in, out, changes, context);
}

tresult SendProcess(IAudioProcessor* processor, int32_t mode, int32_t frames, int32_t channels, double** in,
                    double** out, IParameterChanges* changes, ProcessContext* context) {
  return SendBuses(processor, mode, frames, channels, in, out, changes, context);
}

bool PluginInstance::MaySend(int32_t frames, int32_t size) {
  if (!StandsAt("process", {PluginStage::kProcessing})) return false;
  if (size == setup.symbolicSampleSize && frames >= 0 && frames <= setup.maxSamplesPerBlock) return true;
  error = "process refused: " + std::to_string(frames) + " frames of " + BitsOf(size) +
          "-bit audio, set up for at most " + std::to_string(setup.maxSamplesPerBlock) + " of " +
          BitsOf(setup.symbolicSampleSize) + "-bit";
  return false;
}

tresult PluginInstance::Process(int32_t frames, int32_t channels, float** in, float** out,
                                IParameterChanges* changes, ProcessContext* context) {
  if (!MaySend(frames, kSample32)) return kResultFalse;
  return SendProcess(processor, setup.processMode, frames, channels, in, out, changes, context);
}

tresult PluginInstance::Process(int32_t frames, int32_t channels, double** in, double** out,
                                IParameterChanges* changes, ProcessContext* context) {
  if (!MaySend(frames, kSample64)) return kResultFalse;
  return SendProcess(processor, setup.processMode, frames, channels, in, out, changes, context);
}

tresult PluginInstance::Flush(IParameterChanges* changes) {
  if (!StandsAt("a parameter flush", {PluginStage::kProcessing})) return kResultFalse;
  ProcessData data = BaseData(setup.processMode, 0, setup.symbolicSampleSize, changes, nullptr);
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
