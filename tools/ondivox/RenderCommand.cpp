// ondivox render: a program and settings rendered to a WAV file.
#include <cmath>
#include <cstdio>

#include "tools/host/Renderer.h"
#include "tools/ondivox/Arguments.h"
#include "tools/ondivox/Commands.h"
#include "tools/ondivox/Terminal.h"
#include "tools/ondivox/ToolError.h"
#include "tools/ondivox/ToolSession.h"

namespace {

constexpr double kDefaultSeconds = 10.0;
// Renders shorter than this finish before a bar would be worth drawing.
constexpr double kProgressFromSeconds = 60.0;

void DrawProgress(double done) {
  const int width = 40;
  int filled = static_cast<int>(done * width);
  std::fprintf(stderr, "\r[%s%s] %3d%%", std::string(filled, '#').c_str(),
               std::string(width - filled, ' ').c_str(), static_cast<int>(done * 100));
  if (done >= 1.0) std::fprintf(stderr, "\n");
  std::fflush(stderr);
}

double PositiveOption(const std::string& name, const std::string& text, double fallback, double max) {
  if (text.empty()) return fallback;
  double v = ParseNumber(name, text);
  if (!(v > 0.0) || v > max) throw UsageError(name + ": " + text + " is out of range");
  return v;
}

}  // namespace

int RunRender(const std::vector<std::string>& args) {
  Arguments a = ParseArguments(
      args, "--bundle --program --set --rate --tempo --seconds --input --state --format -o");
  if (a.output.empty()) throw UsageError("render needs -o OUT.wav");
  if (!a.positional.empty()) throw UsageError("unexpected argument '" + a.positional[0] + "'");
  WavFormat format = WavFormat::kPcm24;
  if (!a.format.empty() && !ParseWavFormat(a.format, &format))
    throw UsageError("--format: '" + a.format + "' is not 16, 24, f32 or f64");

  WavAudio input;
  if (!a.input.empty()) {
    std::string error;
    if (!ReadWav(a.input, &input, &error)) throw ToolError(error);
  }
  RenderSettings settings;
  settings.sampleRate = PositiveOption("--rate", a.rate, a.input.empty() ? 48000.0 : input.sampleRate, 768000.0);
  if (!a.input.empty() && settings.sampleRate != input.sampleRate)
    throw ToolError(a.input + " is at " + std::to_string(static_cast<long>(input.sampleRate)) +
                    " Hz; render it at that rate (no resampling)");
  settings.tempo = PositiveOption("--tempo", a.tempo, 120.0, 999.0);
  double inputSeconds = a.input.empty() ? kDefaultSeconds : input.Frames() / input.sampleRate;
  double seconds = PositiveOption("--seconds", a.seconds, inputSeconds, 24 * 3600.0);
  settings.frames = static_cast<int64_t>(std::llround(seconds * settings.sampleRate));
  settings.input = a.input.empty() ? nullptr : &input;

  ToolSession session(a.bundle);
  if (!a.state.empty()) session.LoadStateFile(a.state);
  session.ApplyProgramAndSettings(a.program, a.sets);

  bool showProgress = StderrIsTerminal() && seconds >= kProgressFromSeconds;
  // Written as it is rendered: a long session never sits in memory whole.
  WavWriter writer;
  std::string error;
  if (!writer.Open(a.output, settings.sampleRate, 2, format, &error)) throw ToolError(error);
  auto sink = [&](const double* const* channels, int32_t frames) {
    return writer.Write(channels, static_cast<std::size_t>(frames), &error);
  };
  if (!Render(session.Plug(), settings, showProgress ? RenderProgress(DrawProgress) : RenderProgress(), sink)) {
    if (error.empty())
      error = "the plug-in refused to process at " + std::to_string(static_cast<long>(settings.sampleRate)) + " Hz";
    throw ToolError(error);
  }
  if (!writer.Close(&error)) throw ToolError(error);

  std::printf("wrote %s: %.2f s, %ld Hz, stereo, %s", a.output.c_str(), seconds,
              static_cast<long>(settings.sampleRate), WavFormatName(format));
  if (!a.program.empty()) {
    int index = session.ProgramIndex(a.program);
    std::printf(", program %d \"%s\"", index, session.ProgramNames()[index].c_str());
  }
  std::printf("\n");
  return 0;
}
