// Sessions in the tool: a session file resolved against the loaded plug-in
// and handed to a render, and "ondivox session show".
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tools/host/Renderer.h"
#include "tools/decode/BackgroundFeed.h"
#include "tools/ondivox/SessionRendering.h"
#include "tools/ondivox/ToolSession.h"
#include "tools/session/SessionScript.h"

// The render's length when the command line does not give one: the end
// line; a SessionError at the file's last line when there is none.
int64_t SessionFrames(const SessionScript& script, double rate);

// Opens the session's input (looped if it says so); errors name its line.
void OpenSessionInput(const SessionScript& script, BackgroundFeed& input);

// Resolves script on the plug-in as it stands (after --state, --program and
// --set), readies its other layers and gives settings (whose rate, tempo,
// length and input are set) the session's automation, in blocks small
// enough for smooth ramps, and its mix. The result must outlive the render.
std::unique_ptr<SessionRendering> AttachSession(const SessionScript& script, ToolSession& tool,
                                                RenderSettings* settings);

// What each step does, as session show lists it ("line 4 ramp ..."), with
// its time: what a player shows while the step plays.
struct SessionStepText {
  double time = 0.0;
  std::string text;
};
std::vector<SessionStepText> DescribeSteps(const SessionScript& script, const SessionTimeline& timeline,
                                           ToolSession& tool);
