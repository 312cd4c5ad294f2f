#include "tools/ondivox/RenderOptions.h"

#include <cmath>

#include "tools/ondivox/SessionCommand.h"
#include "tools/ondivox/ToolError.h"
#include "tools/wav/WavReader.h"

namespace {

constexpr double kDefaultSeconds = 10.0;
constexpr double kDefaultRate = 48000.0;

double RateOption(const Arguments& a, double fallback) {
  double rate = PositiveOption(a, "--rate", a.rate, fallback, WavReader::kMaxRate);
  if (rate != std::floor(rate)) throw UsageError("--rate: " + a.rate + " is not a whole number of Hz");
  return rate;
}

int64_t FramesOption(const Arguments& a, double rate, int64_t fallback) {
  if (!a.Has("--seconds")) return fallback;
  double seconds = PositiveOption(a, "--seconds", a.seconds, 0.0, kMaxRenderSeconds);
  int64_t frames = std::llround(seconds * rate);
  if (frames < 1)
    throw UsageError("--seconds: " + a.seconds + " is less than one frame at " +
                     std::to_string(static_cast<long>(rate)) + " Hz");
  return frames;
}

void OpenInput(const std::string& inputPath, bool sessionInput, const SessionScript* script, BackgroundFeed& feed) {
  if (sessionInput)
    OpenSessionInput(*script, feed);
  else
    feed.Open(inputPath);
}

}  // namespace

RenderOptions ReadRenderOptions(const Arguments& a, const SessionScript* script, DefaultLength length) {
  RenderOptions options;
  // --input takes the place of the session's input.
  options.sessionInput = script && !script->input.empty() && !a.Has("--input");
  options.inputPath = options.sessionInput ? script->input : a.input;
  const bool hasInput = !options.inputPath.empty() || a.Has("--input");
  BackgroundFeed input;
  if (hasInput) OpenInput(options.inputPath, options.sessionInput, script, input);
  RenderSettings& settings = options.settings;
  const bool sessionRate = script && script->rate > 0.0;
  settings.sampleRate = RateOption(a, sessionRate ? script->rate : hasInput ? input.Rate() : kDefaultRate);
  settings.tempo = TempoOption(a, script && script->tempo > 0.0 ? script->tempo : 120.0);
  int64_t defaultFrames = kRenderUntilStopped;
  if (script)
    defaultFrames = a.Has("--seconds") ? 0 : SessionFrames(*script, settings.sampleRate);
  else if (length == DefaultLength::kTenSecondsOrTheInput)
    defaultFrames = hasInput ? input.FramesAt(settings.sampleRate)
                             : static_cast<int64_t>(kDefaultSeconds * settings.sampleRate);
  settings.frames = FramesOption(a, settings.sampleRate, defaultFrames);
  if (settings.frames < 1)
    throw ToolError(options.inputPath + " holds no audio; say how long to render with --seconds");
  return options;
}

void OpenRenderInput(const std::string& inputPath, bool sessionInput, const SessionScript* script,
                     BackgroundFeed& feed, RenderSettings* settings) {
  OpenInput(inputPath, sessionInput, script, feed);
  feed.Start(settings->sampleRate);
  BackgroundFeed* input = &feed;
  settings->input = [input](double* const* stereo, int32_t n) { return input->Fill(stereo, n); };
}
