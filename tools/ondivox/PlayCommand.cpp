// ondivox play: what render would write, played live through an output
// device, with a player's status line and keys on a terminal.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>

#include "tools/host/Renderer.h"
#include "tools/ondivox/Arguments.h"
#include "tools/ondivox/Commands.h"
#include "tools/decode/BackgroundFeed.h"
#include "tools/ondivox/Interruption.h"
#include "tools/ondivox/RenderOptions.h"
#include "tools/ondivox/SessionCommand.h"
#include "tools/ondivox/Terminal.h"
#include "tools/ondivox/TerminalLine.h"
#include "tools/ondivox/ToolError.h"
#include "tools/ondivox/ToolSession.h"
#include "tools/play/AudioDevices.h"
#include "tools/play/Keyboard.h"
#include "tools/play/OutputStream.h"
#include "tools/play/Player.h"

namespace {

constexpr double kDefaultLatencyMs = 100.0;
constexpr double kMaxLatencyMs = 2000.0;
constexpr double kSeekSeconds = 30.0;
constexpr int kTickMs = 50;  // keys and the status line, twenty times a second

using Clock = std::chrono::steady_clock;

// A test's way to force an underrun: ONDIVOX_PLAY_STALL (seconds) pauses the
// render once, when it has first filled the ring.
double StallSeconds() {
  const char* text = std::getenv("ONDIVOX_PLAY_STALL");
  char* end = nullptr;
  const double v = text ? std::strtod(text, &end) : 0.0;
  return text && end != text && v > 0.0 && v < 60.0 ? v : 0.0;
}

// The step playing at seconds: the last that has begun.
const SessionStepText* StepAt(const std::vector<SessionStepText>& steps, double seconds) {
  const SessionStepText* now = nullptr;
  for (const SessionStepText& s : steps)
    if (s.time <= seconds) now = &s;
  return now;
}

std::string Length(const RenderSettings& s) {
  return s.frames >= kRenderUntilStopped ? std::string("--:--") : ClockText(s.frames / s.sampleRate);
}

std::string Underruns(uint64_t n) {
  return n == 0 ? "no underruns" : std::to_string(n) + (n == 1 ? " underrun" : " underruns");
}

std::string StatusText(const Player& player, const RenderSettings& s, const std::vector<SessionStepText>& steps) {
  if (player.Seeking()) return "seeking to " + ClockText(player.SeekTarget()) + " ...";
  const double at = player.Position();
  std::string text = (player.Paused() ? "paused  " : "playing ") + ClockText(at) + " / " + Length(s);
  if (const SessionStepText* step = StepAt(steps, at)) text += "  " + step->text;
  if (player.Underruns() > 0) text += "  " + Underruns(player.Underruns());
  return text;
}

// Waits, within a bound, for what the device still holds (the end of a fade) to play.
void LetDrain(const OutputStream& stream, double latency) {
  const auto until = Clock::now() + std::chrono::duration<double>(latency + 1.0);
  while (stream.Active() && Clock::now() < until)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

}  // namespace

// One run of the render from the start: the input from its start, the
// session's layers and automation made afresh.
struct PlayPass {
  BackgroundFeed input;
  RenderSettings settings;
  std::unique_ptr<SessionRendering> rendering;

  // Why the render ended early, from what failed.
  std::string Error(PluginInstance& plug) const {
    if (!input.Error().empty()) return input.Error();
    if (rendering && !rendering->Error().empty()) return rendering->Error();
    if (!plug.Error().empty()) return plug.Error();
    return "the plug-in refused to process at " + std::to_string(static_cast<long>(settings.sampleRate)) + " Hz";
  }
};

int RunPlay(const std::vector<std::string>& args) {
  Arguments a = ParseArguments(args, *FindCommand("play"));
  if (!a.positional.empty()) throw UsageError("unexpected argument '" + a.positional[0] + "'");
  const double latency = PositiveOption(a, "--latency", a.latency, kDefaultLatencyMs, kMaxLatencyMs) / 1000.0;
  std::unique_ptr<SessionScript> script;
  if (a.Has("--session")) script = std::make_unique<SessionScript>(ReadSessionScript(a.session));
  const RenderOptions options = ReadRenderOptions(a, script.get(), DefaultLength::kUntilStopped);
  const RenderSettings& settings = options.settings;

  // The device is checked before the plug-in is loaded.
  AudioDevices devices;
  const OutputDevice device = devices.Choose(a.device);
  devices.RequireRate(device, settings.sampleRate, latency);

  ToolSession session(a.bundle);
  if (a.Has("--state")) session.LoadStateFile(a.state);
  session.ApplyProgramAndSettings(a.program, a.sets);
  // A seek renders again from here: the plug-in as the first run found it.
  const std::vector<uint8_t> start = session.Plug().SaveState();
  const auto prepare = [&] {
    auto pass = std::make_unique<PlayPass>();
    pass->settings = options.settings;
    pass->settings.processMode = Steinberg::Vst::kRealtime;
    if (!options.inputPath.empty())
      OpenRenderInput(options.inputPath, options.sessionInput, script.get(), pass->input, &pass->settings);
    if (script) pass->rendering = AttachSession(*script, session, &pass->settings);
    return pass;
  };
  // The first run is made ready here, so what is wrong with it is said before anything plays.
  std::unique_ptr<PlayPass> pass = prepare();
  const std::vector<SessionStepText> steps =
      script ? DescribeSteps(*script, pass->rendering->Timeline(), session) : std::vector<SessionStepText>();
  std::string rerunError;  // read once the render thread has ended
  PlaySource source = [&](bool rerun, const RenderSink& sink) {
    // On the render thread: what goes wrong is answered, never thrown.
    if (rerun) {
      try {
        session.Plug().LoadState(start);
        pass = prepare();
      } catch (const std::exception& e) {
        rerunError = e.what();
        return false;
      }
    }
    return Render(session.Plug(), pass->settings, RenderProgress(), sink);
  };
  PlayerSettings playing;
  playing.sampleRate = settings.sampleRate;
  playing.frames = settings.frames;
  playing.stallSeconds = StallSeconds();
  // A device that asks for long callbacks must find them in the ring.
  playing.ringSeconds = std::max(playing.ringSeconds, 2.0 * latency);
  Player player(source, playing);
  OutputStream stream(device, settings.sampleRate, latency, player.Feed());

  InterruptionWatch interruption;
  Keyboard keys;
  const bool showStatus = keys.Live() && StderrIsTerminal() && !a.quiet;
  TerminalLine status;
  player.Start();
  stream.Start();
  bool stopped = false;
  // A device that no longer calls back must not keep a stopped player waiting.
  Clock::time_point giveUp = Clock::time_point::max();
  while (!player.Finished() && stream.Active() && Clock::now() < giveUp) {
    const Key key = keys.Wait(kTickMs);
    if (!stopped && (key == Key::kQuit || InterruptionWatch::Requested())) {
      player.Stop();
      stopped = true;
      giveUp = Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(latency + 1.0));
    } else if (key == Key::kPause) {
      player.TogglePause();
    } else if (script && (key == Key::kBack || key == Key::kForward)) {
      player.SeekBy(key == Key::kBack ? -kSeekSeconds : kSeekSeconds);
    }
    if (showStatus) status.Draw(StatusText(player, settings, steps));
  }
  const bool finished = player.Finished();
  LetDrain(stream, latency);
  status.Clear();
  const double at = player.Position();
  player.Join();

  if (InterruptionWatch::Requested()) throw InterruptedError("interrupted at " + ClockText(at));
  if (player.Failed()) throw ToolError(rerunError.empty() ? pass->Error(session.Plug()) : rerunError);
  if (!finished && !stopped) throw ToolError(device.Title() + " stopped playing at " + ClockText(at));
  if (!a.quiet)
    std::printf("%s %s of %s on %s (%s) at %ld Hz, %s\n", stopped ? "stopped at" : "played", ClockText(at).c_str(),
                Length(settings).c_str(), device.Title().c_str(), device.api.c_str(),
                static_cast<long>(settings.sampleRate), Underruns(player.Underruns()).c_str());
  if (player.Underruns() > 0)
    std::fprintf(stderr, "ondivox: %s: the render fell behind the device, and silence was heard there\n",
                 Underruns(player.Underruns()).c_str());
  return 0;
}
