// RenderOptions: what render and play read alike from the command line, the
// session's header and the input file's: the rate, the tempo, the length and
// the input, checked before the plug-in is loaded.
#pragma once

#include <string>

#include "tools/decode/BackgroundFeed.h"
#include "tools/host/Renderer.h"
#include "tools/ondivox/Arguments.h"
#include "tools/session/SessionScript.h"

// The length when neither --seconds nor a session gives one.
enum class DefaultLength { kTenSecondsOrTheInput, kUntilStopped };

struct RenderOptions {
  RenderSettings settings;  // without its input: OpenRenderInput gives it one
  std::string inputPath;    // empty without an input
  bool sessionInput = false;  // the session's input, not --input
  double Seconds() const { return settings.frames / settings.sampleRate; }
};

// Reads the options, looking into the input's header (the session's, or
// --input in its place); a UsageError, SessionError or ToolError names what
// is wrong.
RenderOptions ReadRenderOptions(const Arguments& a, const SessionScript* script, DefaultLength length);
// Opens the input the options name, from its start, ready at settings' rate
// as settings' input.
void OpenRenderInput(const std::string& inputPath, bool sessionInput, const SessionScript* script,
                     BackgroundFeed& feed, RenderSettings* settings);
