// ondivox render: a program and settings, or a session, rendered to a WAV
// (or RF64) or FLAC file that appears only once it is complete, or as a WAV
// stream on the standard output.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

#include "tools/files/PendingFile.h"
#include "tools/host/Renderer.h"
#include "tools/ondivox/Arguments.h"
#include "tools/ondivox/Commands.h"
#include "tools/decode/BackgroundFeed.h"
#include "tools/mix/ExactMath.h"
#include "tools/ondivox/Interruption.h"
#include "tools/ondivox/OutputChoice.h"
#include "tools/ondivox/Progress.h"
#include "tools/ondivox/RenderOptions.h"
#include "tools/ondivox/SessionCommand.h"
#include "tools/ondivox/Terminal.h"
#include "tools/ondivox/ToolError.h"
#include "tools/ondivox/ToolSession.h"
#include "tools/session/SessionError.h"
#include "tools/wav/WavReader.h"
#include "tools/wav/WavWriter.h"

namespace {

// The reader of the stream went away (a player quit): the render ends there,
// quietly, with the code a shell shows for a program ended by a closed pipe.
constexpr int kReaderGoneExit = 141;

std::string Decibels(double peak) {
  char text[32];
  std::snprintf(text, sizeof text, "%+.1f dBFS", 20.0 * std::log10(peak));
  return text;
}

// What the user must know about the file even when --quiet: it is not exactly what was rendered.
void WarnAboutOutput(const std::string& path, const WavLayout& layout, const SampleStats& stats) {
  if (stats.clipped > 0)
    std::fprintf(stderr, "ondivox: %s: %llu samples clipped, peak %s\n", path.c_str(),
                 static_cast<unsigned long long>(stats.clipped), Decibels(stats.peak).c_str());
  else if (layout.isFloat && stats.peak > 1.0)
    std::fprintf(stderr, "ondivox: %s: peak %s, above full scale (kept in floating point)\n", path.c_str(),
                 Decibels(stats.peak).c_str());
}

void WarnAboutInput(const std::string& path, uint64_t nonFinite) {
  if (nonFinite > 0)
    std::fprintf(stderr, "ondivox: %s: %llu samples were not finite numbers; they were mixed as silence\n",
                 path.c_str(), static_cast<unsigned long long>(nonFinite));
}

// What to render, from the command line and the input's header, checked
// before anything is loaded or written.
struct RenderPlan {
  OutputChoice output;
  RenderSettings settings;
  WavLayout layout;
  double seconds = 0.0;
  std::string inputPath;  // empty without an input
  bool sessionInput = false;
  bool normalize = false;
  double peakTarget = 0.0;  // dBFS, with --normalize
};

RenderPlan Plan(const Arguments& a, const SessionScript* script) {
  RenderPlan plan;
  plan.output = ChooseOutput(a.output, a.Has("--format") ? &a.format : nullptr);
  if (a.Has("--normalize")) {
    plan.normalize = true;
    plan.peakTarget = ParseNumber("--normalize", a.normalize);
    if (plan.peakTarget < -60.0 || plan.peakTarget > 0.0)
      throw UsageError("--normalize: " + a.normalize + " is outside -60 .. 0 dBFS");
    if (plan.output.ToStandardOutput())
      throw UsageError("--normalize renders twice, and a stream cannot be rewound; write a file instead of -o -");
  }
  const RenderOptions options = ReadRenderOptions(a, script, DefaultLength::kTenSecondsOrTheInput);
  plan.settings = options.settings;
  plan.inputPath = options.inputPath;
  plan.sessionInput = options.sessionInput;
  const RenderSettings& settings = plan.settings;
  plan.seconds = settings.frames / settings.sampleRate;
  plan.layout = LayoutOf(plan.output.samples, 2, static_cast<uint32_t>(settings.sampleRate));
  return plan;
}

// One render's plug-ins and files, made afresh for each pass.
struct RenderPass {
  explicit RenderPass(const Arguments& a) : session(a.bundle) {}
  ToolSession session;
  BackgroundFeed input;
  RenderSettings settings;
  std::unique_ptr<SessionRendering> rendering;

  // Why the render stopped, when it was not the sink.
  std::string Error() const {
    if (!input.Error().empty()) return input.Error();
    if (rendering && !rendering->Error().empty()) return rendering->Error();
    return "the plug-in refused to process at " + std::to_string(static_cast<long>(settings.sampleRate)) + " Hz";
  }
};

std::unique_ptr<RenderPass> Prepare(const Arguments& a, const RenderPlan& plan, const SessionScript* script) {
  auto pass = std::make_unique<RenderPass>(a);
  if (a.Has("--state")) pass->session.LoadStateFile(a.state);
  pass->session.ApplyProgramAndSettings(a.program, a.sets);
  pass->settings = plan.settings;
  if (!plan.inputPath.empty())
    OpenRenderInput(plan.inputPath, plan.sessionInput, script, pass->input, &pass->settings);
  if (script) pass->rendering = AttachSession(*script, pass->session, &pass->settings);
  return pass;
}

// The first of two passes: the mix's peak, before anything is written.
double MeasurePeak(const Arguments& a, const RenderPlan& plan, const SessionScript* script, ProgressLine& progress) {
  std::unique_ptr<RenderPass> pass = Prepare(a, plan, script);
  double peak = 0.0;
  auto sink = [&](const double* const* channels, int32_t frames) {
    for (int c = 0; c < 2; ++c)
      for (int32_t i = 0; i < frames; ++i)
        if (std::isfinite(channels[c][i])) peak = std::max(peak, std::fabs(channels[c][i]));
    return !InterruptionWatch::Requested();
  };
  const bool rendered = Render(pass->session.Plug(), pass->settings, [&](double done) { progress.Update(done / 2); }, sink);
  if (InterruptionWatch::Requested()) throw InterruptedError("interrupted; " + plan.output.name + " was not written");
  if (!rendered) throw ToolError(pass->Error());
  return peak;
}

// On standard error when the audio itself goes to the standard output.
void PrintSummary(const Arguments& a, const RenderPlan& plan, const AudioOutput& writer, ToolSession& session,
                  double peak, double gain) {
  std::FILE* to = plan.output.ToStandardOutput() ? stderr : stdout;
  std::fprintf(to, "wrote %s: %.2f s, %ld Hz, stereo, %s %s", plan.output.name.c_str(), plan.seconds,
               static_cast<long>(plan.settings.sampleRate), WavFormatName(plan.output.samples), writer.Container());
  if (!a.program.empty()) {
    int index = session.ProgramIndex(a.program);
    std::fprintf(to, ", program %d \"%s\"", index, session.ProgramNames()[index].c_str());
  }
  if (a.Has("--session")) std::fprintf(to, ", session %s", a.session.c_str());
  if (plan.normalize && peak > 0.0)
    std::fprintf(to, ", normalized: peak %s before, gain %+.2f dB, peak now %+.1f dBFS", Decibels(peak).c_str(),
                 20.0 * std::log10(gain), plan.peakTarget);
  else if (plan.normalize)
    std::fprintf(to, ", not normalized: the render is silent");
  std::fprintf(to, "\n");
}

void OpenOutput(const RenderPlan& plan, PendingFile* out) {
  const OutputChoice& o = plan.output;
  std::string error;
  if (o.ToStandardOutput()) {
    if (StdoutIsTerminal())
      throw UsageError("-o -: the standard output is a terminal; pipe it into a player (ondivox render ... -o - | aplay)");
    if (!out->OpenStandardOutput(o.name, &error)) throw ToolError(error);
    return;
  }
  if (!out->Open(o.name, &error)) throw ToolError(error);
  // A FLAC file's size is known only once it is encoded: a full disk is found as it fills.
  if (o.container == Container::kWav && !out->WritesInPlace() &&
      !out->CheckRoomFor(WavWriter::FileBytes(plan.layout, plan.settings.frames), &error))
    throw ToolError(error);
}

std::string NotWritten(const OutputChoice& o) {
  return o.ToStandardOutput() ? "the stream on the standard output stopped early" : o.name + " was not written";
}

}  // namespace

int RunRender(const std::vector<std::string>& args) {
  Arguments a = ParseArguments(args, *FindCommand("render"));
  if (a.output.empty()) throw UsageError("render needs -o OUT.wav, OUT.flac or -");
  if (!a.positional.empty()) throw UsageError("unexpected argument '" + a.positional[0] + "'");
  // A session file is read and checked before anything is loaded or written.
  std::unique_ptr<SessionScript> script;
  if (a.Has("--session")) script = std::make_unique<SessionScript>(ReadSessionScript(a.session));
  RenderPlan plan = Plan(a, script.get());

  // Declared before the file, so an interruption is noticed until the file is gone.
  InterruptionWatch interruption;
  ProgressLine progress(plan.seconds * (plan.normalize ? 2 : 1), StderrIsTerminal() && !a.quiet);
  double gain = 1.0, peak = 0.0;
  if (plan.normalize) {
    peak = MeasurePeak(a, plan, script.get(), progress);
    if (peak > 0.0) gain = DecibelsToGain(plan.peakTarget) / peak;
  }
  std::unique_ptr<RenderPass> pass = Prepare(a, plan, script.get());
  PendingFile out;
  OpenOutput(plan, &out);
  std::string error;

  std::unique_ptr<AudioOutput> writer = plan.output.MakeWriter();
  // Whether a failure is the reader of the stream going away; any other is thrown.
  const auto readerGone = [&] {
    if (out.File().ReaderGone()) return true;
    throw ToolError(error);
  };
  if (!writer->Begin(&out.File(), plan.output.name, plan.layout, static_cast<uint64_t>(plan.settings.frames), &error) &&
      readerGone())
    return kReaderGoneExit;
  std::vector<double> scaled[2];
  auto sink = [&](const double* const* channels, int32_t frames) {
    if (InterruptionWatch::Requested()) return false;
    if (gain == 1.0) return writer->Write(channels, static_cast<std::size_t>(frames), &error);
    for (int c = 0; c < 2; ++c) {
      scaled[c].resize(static_cast<std::size_t>(frames));
      for (int32_t i = 0; i < frames; ++i) scaled[c][i] = channels[c][i] * gain;
    }
    const double* at[2] = {scaled[0].data(), scaled[1].data()};
    return writer->Write(at, static_cast<std::size_t>(frames), &error);
  };
  const double done = plan.normalize ? 0.5 : 0.0, share = plan.normalize ? 0.5 : 1.0;
  bool rendered = Render(pass->session.Plug(), pass->settings,
                         [&](double part) { progress.Update(done + part * share); }, sink);
  progress.Clear();
  if (InterruptionWatch::Requested()) throw InterruptedError("interrupted; " + NotWritten(plan.output));
  if (!rendered && out.File().ReaderGone()) return kReaderGoneExit;
  if (!rendered) throw ToolError(error.empty() ? pass->Error() : error);
  if ((!writer->Finish(&error) || !out.Commit(&error)) && readerGone()) return kReaderGoneExit;

  if (!a.quiet) PrintSummary(a, plan, *writer, pass->session, peak, gain);
  WarnAboutOutput(plan.output.name, plan.layout, writer->Stats());
  if (!plan.inputPath.empty()) WarnAboutInput(pass->input.Path(), pass->input.NonFiniteSamples());
  if (pass->rendering)
    for (const BackgroundFeed* feed : pass->rendering->Inputs()) WarnAboutInput(feed->Path(), feed->NonFiniteSamples());
  return 0;
}
