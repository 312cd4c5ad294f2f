#include "tools/host/Renderer.h"

#include <algorithm>
#include <cmath>

#include "pluginterfaces/vst/ivstprocesscontext.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

ProcessContext ContextAt(const RenderSettings& s, int64_t position) {
  ProcessContext c = {};
  c.state = ProcessContext::kPlaying | ProcessContext::kTempoValid | ProcessContext::kTimeSigValid |
            ProcessContext::kProjectTimeMusicValid | ProcessContext::kBarPositionValid;
  c.sampleRate = s.sampleRate;
  c.projectTimeSamples = position;
  c.tempo = s.tempo;
  c.timeSigNumerator = 4;
  c.timeSigDenominator = 4;
  c.projectTimeMusic = position / s.sampleRate * s.tempo / 60.0;
  c.barPositionMusic = std::floor(c.projectTimeMusic / 4.0) * 4.0;
  return c;
}

}  // namespace

BlockRenderer::BlockRenderer(PluginInstance& plug, const RenderSettings& settings) : plug(plug), settings(settings) {}

bool BlockRenderer::Start() {
  if (plug.Restart(settings.sampleRate, settings.blockSize, kSample64, settings.processMode) != kResultOk)
    return false;
  for (auto& channel : in) channel.assign(static_cast<std::size_t>(settings.blockSize), 0.0);
  return true;
}

bool BlockRenderer::Block(int64_t position, int32_t frames, double* const* out) {
  double* inPtr[2] = {in[0].data(), in[1].data()};
  if (settings.input && !settings.input(inPtr, frames)) return false;
  ProcessContext context = ContextAt(settings, position);
  changes.Clear();
  if (settings.automation) settings.automation(position, frames, changes);
  double* outPtr[2] = {out[0], out[1]};
  return plug.Process(frames, 2, inPtr, outPtr, changes.Empty() ? nullptr : &changes, &context) == kResultOk;
}

bool Render(PluginInstance& plug, const RenderSettings& s, const RenderProgress& progress,
            const RenderSink& sink) {
  BlockRenderer voice(plug, s);
  if (!voice.Start()) return false;
  std::vector<double> out[2] = {std::vector<double>(s.blockSize), std::vector<double>(s.blockSize)};
  double* outPtr[2] = {out[0].data(), out[1].data()};
  const int64_t progressStep = std::max<int64_t>(s.blockSize, s.frames / 200);
  int64_t nextProgress = 0;
  for (int64_t pos = 0; pos < s.frames; pos += s.blockSize) {
    int32_t n = static_cast<int32_t>(std::min<int64_t>(s.blockSize, s.frames - pos));
    if (!voice.Block(pos, n, outPtr)) return false;
    if (s.shaping) s.shaping(pos, n, outPtr);
    if (!sink(outPtr, n)) return false;
    if (progress && pos >= nextProgress) {
      progress(static_cast<double>(pos) / s.frames);
      nextProgress += progressStep;
    }
  }
  if (progress) progress(1.0);
  return true;
}

bool Render(PluginInstance& plug, const RenderSettings& s, const RenderProgress& progress,
            WavAudio* out) {
  out->sampleRate = s.sampleRate;
  out->channels.assign(2, std::vector<double>());
  for (auto& ch : out->channels) ch.reserve(static_cast<std::size_t>(std::max<int64_t>(s.frames, 0)));
  return Render(plug, s, progress, [out](const double* const* channels, int32_t frames) {
    for (int c = 0; c < 2; ++c) out->channels[c].insert(out->channels[c].end(), channels[c], channels[c] + frames);
    return true;
  });
}
