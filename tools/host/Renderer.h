// Renderer: runs the plug-in over a span of time as a playing host would:
// transport running from song position 0, one context per block, 64-bit
// audio, optional stereo input.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "tools/host/ParameterChanges.h"
#include "tools/host/PluginInstance.h"
#include "tools/wav/WavFile.h"

// Fills the two input channels with the next frames samples each (silence
// where the input has ended). Answering false stops the render.
using RenderSource = std::function<bool(double* const* channels, int32_t frames)>;

// Adds the parameter changes of the block of frames frames from position,
// at their offsets in it, as a host's automation does.
using RenderAutomation = std::function<void(int64_t position, int32_t frames, ParameterChanges& changes)>;

// Shapes each rendered block in place before the sink sees it (a gain the
// host applies to what it records).
using RenderShaping = std::function<void(int64_t position, int32_t frames, double* const* channels)>;

// The fastest tempo a render's context carries, in beats per minute.
constexpr double kMaxTempo = 999.0;
// The longest render, in seconds.
constexpr double kMaxRenderSeconds = 24 * 3600.0;
// A length no render reaches: it goes on until its sink stops it (a player
// that plays until the user stops).
constexpr int64_t kRenderUntilStopped = INT64_MAX / 2;

struct RenderSettings {
  double sampleRate = 48000.0;
  double tempo = 120.0;  // above 0, at most kMaxTempo
  int64_t frames = 0;
  int32_t blockSize = 1024;
  // What the plug-in is told: a render to a file is offline, as a DAW's
  // export is; playing to a device is real time.
  int32_t processMode = Steinberg::Vst::kOffline;
  RenderSource input;  // silence when empty
  RenderAutomation automation;  // no changes when empty
  RenderShaping shaping;        // the output as rendered when empty
};

// Called now and then with the fraction done (0..1).
using RenderProgress = std::function<void(double)>;

// Receives each rendered block: two channels of frames samples. Answering
// false stops the render.
using RenderSink = std::function<bool(const double* const* channels, int32_t frames)>;

// One plug-in played block by block as Render plays it, for a caller that
// mixes several: each block's input, automation and context, then process.
class BlockRenderer {
 public:
  // Both must outlive it.
  BlockRenderer(PluginInstance& plug, const RenderSettings& settings);
  // Sets the plug-in up afresh for the render's rate, block and mode (as a
  // host does before an export); false when it refuses (plug.Error() says why).
  bool Start();
  // The block of frames frames from position into out's two channels;
  // false when the input stops or the plug-in refuses the block. Blocks
  // come in order.
  bool Block(int64_t position, int32_t frames, double* const* out);

 private:
  PluginInstance& plug;
  const RenderSettings& settings;
  std::vector<double> in[2];
  ParameterChanges changes;
};

// Sets the plug-in up afresh (as BlockRenderer::Start) and renders block by
// block into sink. False when the plug-in refuses the setup or a block, or
// the input or the sink stops.
bool Render(PluginInstance& plug, const RenderSettings& settings, const RenderProgress& progress,
            const RenderSink& sink);
// The same, collected into *out (two channels).
bool Render(PluginInstance& plug, const RenderSettings& settings, const RenderProgress& progress,
            WavAudio* out);
