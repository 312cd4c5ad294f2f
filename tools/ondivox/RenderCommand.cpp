// ondivox render: a program and settings, or a session, rendered to a WAV
// (or RF64) or FLAC file that appears only once it is complete, or as a WAV
// stream on the standard output.
#include <cmath>
#include <cstdio>
#include <memory>

#include "tools/files/PendingFile.h"
#include "tools/host/Renderer.h"
#include "tools/ondivox/Arguments.h"
#include "tools/ondivox/Commands.h"
#include "tools/ondivox/InputFeed.h"
#include "tools/ondivox/Interruption.h"
#include "tools/ondivox/OutputChoice.h"
#include "tools/ondivox/Progress.h"
#include "tools/ondivox/RenderOptions.h"
#include "tools/ondivox/SessionCommand.h"
#include "tools/ondivox/Terminal.h"
#include "tools/ondivox/ToolError.h"
#include "tools/ondivox/ToolSession.h"
#include "tools/session/SessionError.h"
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
};

RenderPlan Plan(const Arguments& a, InputFeed& input, const SessionScript* script) {
  RenderPlan plan;
  plan.output = ChooseOutput(a.output, a.Has("--format") ? &a.format : nullptr);
  const RenderOptions options = ReadRenderOptions(a, script, DefaultLength::kTenSecondsOrTheInput, input);
  plan.settings = options.settings;
  plan.seconds = options.Seconds();
  plan.layout = LayoutOf(plan.output.samples, 2, static_cast<uint32_t>(plan.settings.sampleRate));
  return plan;
}

// On standard error when the audio itself goes to the standard output.
void PrintSummary(const Arguments& a, const RenderPlan& plan, const AudioOutput& writer, ToolSession& session) {
  std::FILE* to = plan.output.ToStandardOutput() ? stderr : stdout;
  std::fprintf(to, "wrote %s: %.2f s, %ld Hz, stereo, %s %s", plan.output.name.c_str(), plan.seconds,
               static_cast<long>(plan.settings.sampleRate), WavFormatName(plan.output.samples), writer.Container());
  if (!a.program.empty()) {
    int index = session.ProgramIndex(a.program);
    std::fprintf(to, ", program %d \"%s\"", index, session.ProgramNames()[index].c_str());
  }
  if (a.Has("--session")) std::fprintf(to, ", session %s", a.session.c_str());
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
  InputFeed input;
  RenderPlan plan = Plan(a, input, script.get());

  ToolSession session(a.bundle);
  if (a.Has("--state")) session.LoadStateFile(a.state);
  session.ApplyProgramAndSettings(a.program, a.sets);
  std::unique_ptr<SessionAutomation> automation;
  if (script) automation = AttachSession(ResolveOnPlugin(*script, session), session, &plan.settings);

  // Declared before the file, so an interruption is noticed until the file is gone.
  InterruptionWatch interruption;
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
  ProgressLine progress(plan.seconds, StderrIsTerminal() && !a.quiet);
  auto sink = [&](const double* const* channels, int32_t frames) {
    return !InterruptionWatch::Requested() && writer->Write(channels, static_cast<std::size_t>(frames), &error);
  };
  bool rendered = Render(session.Plug(), plan.settings, [&](double done) { progress.Update(done); }, sink);
  progress.Clear();
  if (InterruptionWatch::Requested()) throw InterruptedError("interrupted; " + NotWritten(plan.output));
  if (!rendered && out.File().ReaderGone()) return kReaderGoneExit;
  if (!rendered) {
    if (!input.Error().empty()) error = input.Error();
    if (error.empty())
      error = "the plug-in refused to process at " + std::to_string(static_cast<long>(plan.settings.sampleRate)) +
              " Hz";
    throw ToolError(error);
  }
  if ((!writer->Finish(&error) || !out.Commit(&error)) && readerGone()) return kReaderGoneExit;

  if (!a.quiet) PrintSummary(a, plan, *writer, session);
  WarnAboutOutput(plan.output.name, plan.layout, writer->Stats());
  if (!input.Path().empty()) WarnAboutInput(input.Path(), input.NonFiniteSamples());
  return 0;
}
