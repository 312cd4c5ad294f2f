// SessionRendering: a session's layers made ready beside the main plug-in
// and mixed into its render: the other voices (an instance of the bundle
// each), noise beds and background files, each with its level, balance,
// start and fades, then the whole mix's fades.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tools/decode/BackgroundFeed.h"
#include "tools/host/Renderer.h"
#include "tools/mix/NoiseBed.h"
#include "tools/ondivox/ToolSession.h"
#include "tools/session/LayerGain.h"
#include "tools/session/SessionAutomation.h"
#include "tools/session/SessionScript.h"
#include "tools/session/SessionTimeline.h"

// The voices of a session: main is the tool's own instance; each other
// voice layer gets one of its own, loaded from the same bundle; null for the
// layers that are not voices.
class SessionVoices {
 public:
  SessionVoices(const SessionScript& script, ToolSession& tool);
  ToolSession* At(std::size_t layer) const { return voices[layer]; }

 private:
  std::vector<std::unique_ptr<ToolSession>> owned;
  std::vector<ToolSession*> voices;
};

// Resolves script on the voices as they stand (main after --state,
// --program and --set) and leaves them as they were; SessionError on a word
// that names nothing.
SessionTimeline ResolveLayers(const SessionScript& script, const SessionVoices& voices);

// Opens a layer's background file; errors name its line.
void OpenLayerInput(const SessionScript& script, const SessionLayer& layer, BackgroundFeed& feed);

class SessionRendering {
 public:
  // Resolves the session and readies every layer at settings' rate; then
  // attach it with Attach.
  SessionRendering(const SessionScript& script, ToolSession& tool, const RenderSettings& settings);
  ~SessionRendering();

  // Gives settings the main voice's automation and the mix; settings must
  // be those the render runs with, and this must outlive it.
  void Attach(RenderSettings* settings);

  const SessionTimeline& Timeline() const { return timeline; }
  // Why the render stopped, when a layer's file could not be read.
  const std::string& Error() const { return error; }
  // The layers' files, for what the user must hear about them.
  std::vector<const BackgroundFeed*> Inputs() const;

 private:
  struct Layer;

  void Mix(int64_t position, int32_t frames, double* const* out);
  bool AddLayer(Layer& layer, int64_t position, int32_t frames, double* const* out);

  const SessionScript& script;
  ToolSession& tool;
  SessionVoices voices;
  SessionTimeline timeline;
  RenderSettings base;
  std::unique_ptr<SessionAutomation> mainAutomation;
  std::unique_ptr<LayerGain> mainGain;
  std::vector<std::unique_ptr<Layer>> layers;
  FrameTrack gain;
  std::vector<double> scratch[2];
  RenderSource mainInput;
  std::string error;
};
