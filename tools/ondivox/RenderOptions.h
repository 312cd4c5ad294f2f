// RenderOptions: what render and play read alike from the command line, the
// session's header and the input file's: the rate, the tempo, the length and
// the input, checked before the plug-in is loaded.
#pragma once

#include <string>

#include "tools/host/Renderer.h"
#include "tools/ondivox/Arguments.h"
#include "tools/ondivox/InputFeed.h"
#include "tools/session/SessionScript.h"

// The length when neither --seconds nor a session gives one.
enum class DefaultLength { kTenSecondsOrTheInput, kUntilStopped };

struct RenderOptions {
  RenderSettings settings;   // its input reads the InputFeed given
  std::string inputPath;     // empty without an input
  double Seconds() const { return settings.frames / settings.sampleRate; }
};

// Opens the input (the session's, or --input in its place) into input and
// reads the options; a UsageError, SessionError or ToolError names what is
// wrong.
RenderOptions ReadRenderOptions(const Arguments& a, const SessionScript* script, DefaultLength length,
                                InputFeed& input);
// Opens the same input again, from its start.
void ReopenInput(const Arguments& a, const SessionScript* script, InputFeed& input);
