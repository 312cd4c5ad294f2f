#include "tools/ondivox/SessionRendering.h"

#include <algorithm>
#include <exception>

#include "tools/ondivox/ParamSetting.h"
#include "tools/session/SessionError.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

// At 48 kHz a block of 256 frames is 5.3 ms: a program change or the start
// of a ramp is heard within that of its time, and a ramp gets about 190
// points a second, finer than the steps the plug-in quantises its values to
// (a hundredth of a hertz for the pulse rate) on all but very fast ramps.
// Smaller blocks cost more process calls for nothing a listener hears.
constexpr int32_t kSessionBlockFrames = 256;

// The lookups --set and --program use, on the plug-in itself.
class PluginResolver : public SessionResolver {
 public:
  explicit PluginResolver(ToolSession& tool) : tool(tool), plug(tool.Plug()) {}

  SessionValue Setting(const std::string& word) override {
    const ParamSetting s = ResolveSetting(plug, word);
    return {s.id, s.plain};
  }

  int Program(const std::string& word) override { return tool.ProgramIndex(word); }

  // Selected as a host selects it, on the values before it, then read back.
  std::vector<SessionValue> ProgramValues(int program, const std::vector<SessionValue>& before) override {
    IEditController* ctl = plug.Controller();
    ParameterChanges values, selection;
    for (const SessionValue& v : before) values.Add(v.id, ctl->plainParamToNormalized(v.id, v.plain));
    plug.Flush(&values);
    const ParamID id = tool.ProgramChangeId();
    selection.Add(id, ctl->plainParamToNormalized(id, program));
    plug.Flush(&selection);
    return StartValues();
  }

  std::vector<SessionValue> StartValues() override {
    std::vector<SessionValue> values;
    IEditController* ctl = plug.Controller();
    for (int32 i = 0; i < plug.ParamCount(); ++i) {
      ParameterInfo info;
      if (!plug.ParamInfo(i, info) || (info.flags & ParameterInfo::kIsProgramChange)) continue;
      values.push_back({info.id, ctl->normalizedParamToPlain(info.id, ctl->getParamNormalized(info.id))});
    }
    return values;
  }

 private:
  ToolSession& tool;
  PluginInstance& plug;
};

// The plug-in's state put back however resolving ends.
class StateKeeper {
 public:
  explicit StateKeeper(PluginInstance& plug) : plug(plug), state(plug.SaveState()) {}
  ~StateKeeper() { plug.LoadState(state); }

 private:
  PluginInstance& plug;
  std::vector<uint8_t> state;
};

std::unique_ptr<SessionAutomation> VoiceAutomation(const LayerTimeline& voice, ToolSession& tool, double rate) {
  return std::make_unique<SessionAutomation>(voice, rate, *tool.Plug().Controller(), tool.ProgramChangeId());
}

}  // namespace

SessionVoices::SessionVoices(const SessionScript& script, ToolSession& tool) {
  for (const SessionLayer& layer : script.layers) {
    if (layer.kind != LayerKind::kVoice) {
      voices.push_back(nullptr);
    } else if (voices.empty()) {
      voices.push_back(&tool);
    } else {
      owned.push_back(std::make_unique<ToolSession>(tool.BundlePath()));
      voices.push_back(owned.back().get());
    }
  }
}

SessionTimeline ResolveLayers(const SessionScript& script, const SessionVoices& voices) {
  std::vector<std::unique_ptr<StateKeeper>> keep;
  std::vector<std::unique_ptr<PluginResolver>> resolvers;
  std::vector<SessionResolver*> byLayer;
  for (std::size_t i = 0; i < script.layers.size(); ++i) {
    ToolSession* voice = voices.At(i);
    if (voice) {
      keep.push_back(std::make_unique<StateKeeper>(voice->Plug()));
      resolvers.push_back(std::make_unique<PluginResolver>(*voice));
    }
    byLayer.push_back(voice ? resolvers.back().get() : nullptr);
  }
  return ResolveSession(script, byLayer);
}

void OpenLayerInput(const SessionScript& script, const SessionLayer& layer, BackgroundFeed& feed) {
  try {
    feed.Open(layer.file, layer.loop);
  } catch (const std::exception& e) {
    throw SessionError(script.file, layer.line, e.what());
  }
}

struct SessionRendering::Layer {
  LayerKind kind = LayerKind::kVoice;
  std::unique_ptr<LayerGain> gain;
  // A voice:
  ToolSession* tool = nullptr;
  std::unique_ptr<SessionAutomation> automation;
  RenderSettings settings;
  std::unique_ptr<BlockRenderer> renderer;
  // A noise bed or a background file:
  std::unique_ptr<NoiseBed> noise;
  std::unique_ptr<BackgroundFeed> feed;
};

SessionRendering::SessionRendering(const SessionScript& script, ToolSession& tool, const RenderSettings& settings)
    : script(script), tool(tool), voices(script, tool), timeline(ResolveLayers(script, voices)), base(settings) {
  const double rate = settings.sampleRate;
  base.blockSize = kSessionBlockFrames;
  mainAutomation = VoiceAutomation(timeline.layers[0], tool, rate);
  mainGain = std::make_unique<LayerGain>(timeline.layers[0], rate);
  gain = FrameTrack(timeline.gain, rate);
  for (std::size_t i = 1; i < script.layers.size(); ++i) {
    const SessionLayer& declared = script.layers[i];
    auto layer = std::make_unique<Layer>();
    layer->kind = declared.kind;
    layer->gain = std::make_unique<LayerGain>(timeline.layers[i], rate);
    if (declared.kind == LayerKind::kVoice) {
      layer->tool = voices.At(i);
      layer->automation = VoiceAutomation(timeline.layers[i], *layer->tool, rate);
      layer->settings = base;
      layer->settings.input = nullptr;
      SessionAutomation* a = layer->automation.get();
      layer->settings.automation = [a](int64_t position, int32_t frames, ParameterChanges& changes) {
        a->Changes(position, frames, changes);
      };
      layer->renderer = std::make_unique<BlockRenderer>(layer->tool->Plug(), layer->settings);
      if (!layer->renderer->Start())
        throw SessionError(script.file, declared.line,
                           "the plug-in refused to process at " + std::to_string(static_cast<long>(rate)) + " Hz");
    } else if (declared.kind == LayerKind::kNoise) {
      const NoiseColour colour = declared.colour == "pink"    ? NoiseColour::kPink
                                 : declared.colour == "brown" ? NoiseColour::kBrown
                                                              : NoiseColour::kWhite;
      // Each bed its own stream of the seed.
      layer->noise = std::make_unique<NoiseBed>(colour, script.seed * 1000003u + i, rate);
    } else {
      layer->feed = std::make_unique<BackgroundFeed>();
      OpenLayerInput(script, declared, *layer->feed);
      layer->feed->Start(rate);
    }
    layers.push_back(std::move(layer));
  }
  for (auto& side : scratch) side.assign(static_cast<std::size_t>(kSessionBlockFrames), 0.0);
}

SessionRendering::~SessionRendering() = default;

void SessionRendering::Attach(RenderSettings* settings) {
  settings->blockSize = kSessionBlockFrames;
  SessionAutomation* a = mainAutomation.get();
  settings->automation = [a](int64_t position, int32_t frames, ParameterChanges& changes) {
    a->Changes(position, frames, changes);
  };
  settings->shaping = [this](int64_t position, int32_t frames, double* const* channels) {
    Mix(position, frames, channels);
  };
  // A layer's file that fails stops the render at the next block.
  mainInput = settings->input;
  if (layers.empty()) return;
  settings->input = [this](double* const* channels, int32_t frames) {
    if (!error.empty()) return false;
    if (mainInput) return mainInput(channels, frames);
    for (int c = 0; c < 2; ++c) std::fill(channels[c], channels[c] + frames, 0.0);
    return true;
  };
}

std::vector<const BackgroundFeed*> SessionRendering::Inputs() const {
  std::vector<const BackgroundFeed*> inputs;
  for (const auto& layer : layers)
    if (layer->feed) inputs.push_back(layer->feed.get());
  return inputs;
}

bool SessionRendering::AddLayer(Layer& layer, int64_t position, int32_t frames, double* const* out) {
  double* block[2] = {scratch[0].data(), scratch[1].data()};
  if (layer.renderer) {
    if (!layer.renderer->Block(position, frames, block)) return false;
  } else if (layer.noise) {
    layer.noise->Fill(block, frames);
  } else {
    // A background file plays from its start at the layer's start.
    const int64_t from = std::max<int64_t>(layer.gain->StartFrame() - position, 0);
    if (from >= frames) return true;
    double* at[2] = {block[0] + from, block[1] + from};
    if (!layer.feed->Fill(at, frames - static_cast<int32_t>(from))) {
      error = layer.feed->Error();
      return false;
    }
  }
  layer.gain->Apply(position, frames, block);
  for (int c = 0; c < 2; ++c)
    for (int32_t i = 0; i < frames; ++i) out[c][i] += block[c][i];
  return true;
}

void SessionRendering::Mix(int64_t position, int32_t frames, double* const* out) {
  mainGain->Apply(position, frames, out);
  for (auto& layer : layers)
    if (error.empty() && !AddLayer(*layer, position, frames, out) && error.empty())
      error = "the plug-in of a voice layer stopped";
  ApplyFade(gain, position, frames, out);
}
