// ParamSetting: "PARAM=VALUE" from the command line resolved against the
// plug-in's published parameters.
//
// PARAM is an ID or a title; VALUE is a plain value in the parameter's units
// (a trailing unit is allowed) or one of its display texts. Where titles
// repeat, the one parameter that accepts VALUE is taken; otherwise the ID
// must be given.
#pragma once

#include <string>

#include "tools/host/PluginInstance.h"

struct ParamSetting {
  Steinberg::Vst::ParamID id = 0;
  double normalized = 0.0;
  double plain = 0.0;  // in the parameter's units
};

// ToolError saying what is wrong (with the nearest title when PARAM names
// no parameter).
ParamSetting ResolveSetting(PluginInstance& plug, const std::string& text);
