// ondivox snapshot: the bundle's editor, drawn without a window after the
// host has played for a while, written as a PNG.
#include <cstdio>
#include <vector>

#include "tools/files/PendingFile.h"
#include "tools/host/Renderer.h"
#include "tools/ondivox/Arguments.h"
#include "tools/ondivox/Commands.h"
#include "tools/ondivox/ToolError.h"
#include "tools/ondivox/ToolSession.h"
#include "tools/snapshot/Gesture.h"
#include "tools/snapshot/PngWrite.h"

using namespace Steinberg;

namespace {

constexpr int32_t kBlockFrames = 1024;

double InRange(const std::string& option, const std::string& text, double lo, double hi) {
  const double v = ParseNumber(option, text);
  if (!(v >= lo && v <= hi)) {
    char range[64];
    std::snprintf(range, sizeof range, " takes a number from %g to %g", lo, hi);
    throw UsageError(option + range);
  }
  return v;
}

std::vector<Gesture> GesturesOf(const Arguments& a) {
  std::vector<Gesture> gestures;
  for (const auto& [option, value] : a.sequence) {
    Gesture g;
    std::string error;
    if (!Gesture::Parse(option, value, &g, &error)) throw UsageError(error);
    gestures.push_back(g);
  }
  return gestures;
}

}  // namespace

int RunSnapshot(const std::vector<std::string>& args) {
  Arguments a = ParseArguments(args, *FindCommand("snapshot"));
  if (a.output.empty()) throw UsageError("snapshot needs -o OUT.png");
  if (!a.positional.empty()) throw UsageError("unexpected argument '" + a.positional[0] + "'");
  RenderSettings settings;
  settings.tempo = TempoOption(a, 120.0);
  const long blocks = a.Has("--blocks") ? static_cast<long>(InRange("--blocks", a.blocks, 1.0, 100000.0)) : 4;
  const double scale = a.Has("--scale") ? InRange("--scale", a.scale, 1.0, 4.0) : 1.0;
  const std::vector<Gesture> gestures = GesturesOf(a);

  ToolSession session(a.bundle);
  if (a.Has("--state")) session.LoadStateFile(a.state);
  session.ApplyProgramAndSettings(a.program, a.sets);
  IOffscreenEditor* editor = session.Plug().OffscreenEditor();
  int32 width = 0, height = 0;
  if (!editor || editor->setEditorScale(scale) != kResultOk || editor->getEditorSize(&width, &height) != kResultOk)
    throw ToolError("the plug-in offers no editor to draw");

  // The host starts playing, the user works the editor, the music goes on.
  settings.frames = static_cast<int64_t>(blocks) * kBlockFrames;
  settings.blockSize = kBlockFrames;
  long played = 0;
  const bool rendered = Render(session.Plug(), settings, RenderProgress(), [&](const double* const*, int32_t) {
    if (++played == 1)
      for (const Gesture& g : gestures) g.Replay(editor);
    return true;
  });
  if (!rendered) throw ToolError("the plug-in refused the processing setup");

  std::vector<uint32> picture(static_cast<size_t>(width) * height);
  if (editor->drawInto(picture.data(), width, height, width) != kResultOk)
    throw ToolError("the plug-in could not draw its editor");
  std::string error;
  std::vector<uint8_t> png;
  if (!EncodePng(picture.data(), width, height, width, &png, &error)) throw ToolError(error);
  if (!WriteWholeFile(a.output, png.data(), png.size(), &error)) throw ToolError(error);
  std::printf("wrote %s: %dx%d editor after %ld blocks and %zu gestures\n", a.output.c_str(), width, height, blocks,
              gestures.size());
  return 0;
}
