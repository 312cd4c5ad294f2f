// ondivox play through the real audio library into an ALSA device of the
// test's own: a HOME whose .asoundrc defines a file device over a null one,
// writing into a pipe that the test reads at a sound card's pace (ALSA's null
// device alone would take samples as fast as they come). What was played is
// compared with what render writes for the same settings, as 32-bit floats:
// the samples the player gives the device and the device writes, and a
// render's f32 WAV, after the leading silence each may have.
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <thread>
#include <vector>

#include "ToolFiles.h"
#include "ToolRunner.h"

namespace {

constexpr double kRate = 48000.0;
constexpr int kFrameBytes = 8;  // stereo 32-bit float, as the player asks for

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// A sound card of the test's own, the only one in a HOME of its own while it
// lives: "ondivoxtest" (also the default) writes into a pipe read here at
// speed times real time; "ondivox44k" plays only 44100 Hz.
class TestSoundCard {
 public:
  TestSoundCard(const std::string& name, double speed) : home(ScratchDir(name)), pipe(home + "/device.raw") {
    mkfifo(pipe.c_str(), 0600);
    std::ofstream(home + "/.asoundrc") << "pcm.ondivoxtest {\n  type file\n  slave.pcm \"null\"\n  file \"" << pipe
                                       << "\"\n  format \"raw\"\n}\n"
                                          "pcm.!default \"ondivoxtest\"\n"
                                          "pcm.ondivox44k {\n  type plug\n  slave { pcm \"null\"; rate 44100 }\n"
                                          "  rate_converter \"ondivox-none\"\n}\n";
    const char* before = std::getenv("HOME");
    savedHome = before ? before : "";
    setenv("HOME", home.c_str(), 1);
    // Open for as long as the card lives, so the device never waits for a reader.
    fd = open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    reader = std::thread([this, speed] { Read(speed); });
  }
  ~TestSoundCard() {
    Stop();
    setenv("HOME", savedHome.c_str(), 1);
  }

  // What the device was given, left and right interleaved.
  std::vector<float> Heard() {
    Stop();
    std::vector<float> samples(bytes.size() / sizeof(float));
    if (!samples.empty()) std::memcpy(samples.data(), bytes.data(), samples.size() * sizeof(float));
    return samples;
  }

 private:
  // What the pipe still holds when the tool has ended was given to the device too.
  void Stop() {
    running = false;
    if (reader.joinable()) reader.join();
    if (fd < 0) return;
    char chunk[4096];
    for (ssize_t n; (n = read(fd, chunk, sizeof chunk)) > 0;) bytes.insert(bytes.end(), chunk, chunk + n);
    close(fd);
    fd = -1;
  }
  void Read(double speed) {
    char chunk[4096];
    Clock::time_point first;
    while (running) {
      const ssize_t n = read(fd, chunk, sizeof chunk);
      if (n <= 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        continue;
      }
      if (bytes.empty()) first = Clock::now();
      bytes.insert(bytes.end(), chunk, chunk + n);
      // No faster than the card would take them.
      const double ahead = bytes.size() / (kFrameBytes * kRate * speed) - SecondsSince(first);
      if (ahead > 0) std::this_thread::sleep_for(std::chrono::duration<double>(ahead));
    }
  }

  std::string home, pipe, savedHome;
  int fd = -1;
  std::atomic<bool> running{true};
  std::vector<char> bytes;
  std::thread reader;
};

// The samples of a 32-bit float WAV file, interleaved.
std::vector<float> FloatWav(const std::string& path) {
  const std::string bytes = FileText(path);
  const std::size_t data = bytes.find("data");
  if (data == std::string::npos) return {};
  uint32_t size = 0;
  std::memcpy(&size, bytes.data() + data + 4, 4);
  std::vector<float> samples(size / sizeof(float));
  std::memcpy(samples.data(), bytes.data() + data + 8, samples.size() * sizeof(float));
  return samples;
}

std::vector<float> Rendered(const std::string& dir, const std::string& args) {
  const std::string out = dir + "/reference.wav";
  ToolRun run = RunTool("render --format f32 " + args + " -o " + out);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  return FloatWav(out);
}

std::size_t FirstSound(const std::vector<float>& v) {
  std::size_t i = 0;
  while (i < v.size() && v[i] == 0.0f) ++i;
  return i & ~std::size_t(1);
}

// The render's samples, after its leading silence, are what the device was
// given after its own, and only silence follows.
void ExpectPlayedAsRendered(const std::vector<float>& heard, const std::vector<float>& rendered) {
  ASSERT_GT(rendered.size(), 0u);
  const std::size_t h = FirstSound(heard), r = FirstSound(rendered);
  const std::size_t n = rendered.size() - r;
  ASSERT_GE(heard.size() - h, n) << "the device was given less than the render";
  for (std::size_t i = 0; i < n; ++i) ASSERT_EQ(heard[h + i], rendered[r + i]) << "sample " << i;
  for (std::size_t i = h + n; i < heard.size(); ++i) ASSERT_EQ(heard[i], 0.0f) << "after the end, at " << i;
}

// The largest change between neighbouring samples of the left side.
float LargestStep(const std::vector<float>& v) {
  float step = 0.0f;
  for (std::size_t i = 2; i < v.size(); i += 2) step = std::max(step, std::fabs(v[i] - v[i - 2]));
  return step;
}

// Runs of at least minFrames frames of silence between sound.
int SilentGaps(const std::vector<float>& v, std::size_t minFrames) {
  int gaps = 0;
  std::size_t run = 0;
  for (std::size_t i = FirstSound(v); i < v.size(); i += 2) {
    if (v[i] == 0.0f && v[i + 1] == 0.0f) {
      ++run;
      continue;
    }
    if (run >= minFrames) ++gaps;
    run = 0;
  }
  return gaps;
}

// The tool on a terminal of its own: keys typed at their times (seconds
// after its status line first says it is playing, however long loading
// took), everything it printed there, how it ended, and whether the
// terminal was left as it was found.
struct Keys {
  double at;
  std::string typed;
};
struct TerminalRun {
  ToolRun run;
  std::string shown;
  bool restored = false;
};

TerminalRun RunOnTerminal(const std::string& args, const std::vector<Keys>& keys, int signalAt = 0,
                          double signalTime = 0.0) {
  TerminalRun result;
  int master = -1;
  const pid_t child = forkpty(&master, nullptr, nullptr, nullptr);
  if (child == 0) {
    const std::string command = std::string("exec '") + ONDIVOX_TOOL_PATH + "' " + args;
    execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  termios before = {};
  tcgetattr(master, &before);
  const Clock::time_point launched = Clock::now();
  Clock::time_point start = Clock::time_point::max();
  std::size_t next = 0;
  bool signalled = false;
  int status = 0;
  for (;;) {
    pollfd p = {master, POLLIN, 0};
    char chunk[1024];
    if (poll(&p, 1, 10) > 0) {
      const ssize_t n = read(master, chunk, sizeof chunk);
      if (n > 0) result.shown.append(chunk, static_cast<std::size_t>(n));
    }
    if (start == Clock::time_point::max() && result.shown.find("playing ") != std::string::npos) start = Clock::now();
    const double now = start == Clock::time_point::max() ? -1.0 : SecondsSince(start);
    if (next < keys.size() && now >= keys[next].at) {
      ssize_t wrote = write(master, keys[next].typed.data(), keys[next].typed.size());
      (void)wrote;
      ++next;
    }
    if (signalAt && !signalled && now >= 0.0 && now >= signalTime) {
      kill(child, signalAt);
      signalled = true;
    }
    if (waitpid(child, &status, WNOHANG) == child) break;
    if (SecondsSince(launched) > 30.0) {  // never hang the suite
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      ADD_FAILURE() << "the player did not end";
      break;
    }
  }
  result.run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.run.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
  termios after = {};
  tcgetattr(master, &after);
  result.restored = (after.c_lflag & (ICANON | ECHO)) == (before.c_lflag & (ICANON | ECHO));
  close(master);
  return result;
}

constexpr const char* kTone = "--program 40 --set Volume=70";

}  // namespace

TEST(OndivoxPlay, DevicesListsTheTestDeviceAndTheDefault) {
  TestSoundCard card("play-devices", 1.0);
  ToolRun run = RunTool("devices");
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("ondivoxtest"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("ALSA"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("*"), std::string::npos) << "no default marked:\n" << run.out;
  EXPECT_TRUE(run.err.empty()) << run.err;
}

TEST(OndivoxPlay, WhatIsPlayedIsWhatRenderWrites) {
  const std::string dir = ScratchDir("play-samples");
  const std::vector<float> rendered = Rendered(dir, std::string(kTone) + " --seconds 2");
  TestSoundCard card("play-samples-card", 2.0);
  ToolRun run = RunTool(std::string("play --device ondivoxtest ") + kTone + " --seconds 2");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("played 0:02 of 0:02 on device"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("no underruns"), std::string::npos) << run.out;
  ExpectPlayedAsRendered(card.Heard(), rendered);
}

TEST(OndivoxPlay, ASessionLandsItsStepsAtTheirTimes) {
  const std::string dir = ScratchDir("play-session");
  const std::string session = dir + "/steps.txt";
  std::ofstream(session) << "0:00 program 12\n"
                            "0:00.5 set Volume=40\n"
                            "0:01 program 40\n"
                            "0:01.2 ramp 0:00.6 \"Base Freq=300\"\n"
                            "0:02 end\n";
  const std::vector<float> rendered = Rendered(dir, "--session " + session);
  TestSoundCard card("play-session-card", 2.0);
  ToolRun run = RunTool("play --session " + session);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  ExpectPlayedAsRendered(card.Heard(), rendered);
}

TEST(OndivoxPlay, PauseAndStopFadeWithoutAClickAndTheTerminalIsPutBack) {
  const std::string dir = ScratchDir("play-keys");
  const float toneStep = LargestStep(Rendered(dir, std::string(kTone) + " --seconds 4"));
  TestSoundCard card("play-keys-card", 1.0);
  TerminalRun t = RunOnTerminal(std::string("play ") + kTone, {{0.8, " "}, {1.3, " "}, {1.9, "q"}});
  EXPECT_EQ(t.run.exitCode, 0) << t.shown;
  EXPECT_TRUE(t.restored);
  EXPECT_NE(t.shown.find("playing 0:0"), std::string::npos) << t.shown;
  EXPECT_NE(t.shown.find("paused"), std::string::npos) << t.shown;
  EXPECT_NE(t.shown.find("stopped at 0:0"), std::string::npos) << t.shown;
  const std::vector<float> heard = card.Heard();
  EXPECT_EQ(SilentGaps(heard, static_cast<std::size_t>(0.2 * kRate)), 1) << "the pause";
  EXPECT_GT(toneStep, 0.0f);
  EXPECT_LE(LargestStep(heard), toneStep) << "a click at a pause or the stop";
}

TEST(OndivoxPlay, CtrlCAndTerminationFadeAndPutTheTerminalBack) {
  const struct {
    const char* what;
    std::vector<Keys> keys;
    int signal;
  } cases[] = {{"Ctrl+C", {{0.8, "\x03"}}, 0}, {"SIGTERM", {}, SIGTERM}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string dir = ScratchDir("play-interrupt");
    const float toneStep = LargestStep(Rendered(dir, std::string(kTone) + " --seconds 2"));
    TestSoundCard card("play-interrupt-card", 1.0);
    TerminalRun t = RunOnTerminal(std::string("play ") + kTone, c.keys, c.signal, 0.8);
    EXPECT_EQ(t.run.signal, c.signal ? c.signal : SIGINT) << t.shown;
    EXPECT_TRUE(t.restored);
    EXPECT_LE(LargestStep(card.Heard()), toneStep);
  }
}

TEST(OndivoxPlay, TheArrowsSeekInASession) {
  const std::string dir = ScratchDir("play-seek");
  const std::string session = dir + "/long.txt";
  std::ofstream(session) << "0:00 program 40\n0:45 set Volume=40\n10:00 end\n";
  TestSoundCard card("play-seek-card", 1.0);
  TerminalRun t = RunOnTerminal("play --session " + session, {{0.5, "\x1b[C"}, {1.5, "\x1b[C"}, {2.5, "q"}});
  EXPECT_EQ(t.run.exitCode, 0) << t.shown;
  EXPECT_NE(t.shown.find("line 1 program 40"), std::string::npos) << t.shown;
  EXPECT_NE(t.shown.find("line 2 set"), std::string::npos) << "the step after 0:45:\n" << t.shown;
  EXPECT_NE(t.shown.find("stopped at 1:0"), std::string::npos) << t.shown;
  EXPECT_NE(t.shown.find("of 10:00"), std::string::npos) << t.shown;
}

TEST(OndivoxPlay, AForcedUnderrunIsCounted) {
  TestSoundCard card("play-underrun", 1.0);
  setenv("ONDIVOX_PLAY_STALL", "1.5", 1);
  ToolRun run = RunTool(std::string("play --device ondivoxtest ") + kTone + " --seconds 3");
  unsetenv("ONDIVOX_PLAY_STALL");
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find(", 1 underrun"), std::string::npos) << run.out;
  EXPECT_NE(run.err.find("ondivox: 1 underrun: "), std::string::npos) << run.err;
  EXPECT_EQ(SilentGaps(card.Heard(), static_cast<std::size_t>(0.5 * kRate)), 1);
}

TEST(OndivoxPlay, DeviceFailuresAreOneLine) {
  TestSoundCard card("play-failures", 1.0);
  const struct {
    const char* args;
    const char* says;
  } cases[] = {
      {"play --device nothere", "no output device named \"nothere\""},
      {"play --device 99", "no output device 99"},
      {"play --device ondivox44k --seconds 1", "does not play 48000 Hz (it plays 44100 Hz)"},
      {"play --rate 96000 --device ondivox44k --seconds 1", "does not play 96000 Hz"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    ToolRun run = RunTool(c.args);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(CountLines(run.err), 1) << run.err;
    EXPECT_EQ(run.err.rfind("ondivox: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
  }
}

TEST(OndivoxPlay, NoDeviceAtAllIsOneLine) {
  // A HOME without sound devices of its own: on a machine without a sound card, none at all.
  const std::string home = ScratchDir("play-no-device");
  const char* before = std::getenv("HOME");
  const std::string saved = before ? before : "";
  setenv("HOME", home.c_str(), 1);
  ToolRun devices = RunTool("devices");
  ToolRun play = RunTool("play --seconds 1");
  setenv("HOME", saved.c_str(), 1);
  if (devices.out.find("no audio output devices") == std::string::npos)
    GTEST_SKIP() << "this machine has sound devices:\n" << devices.out;
  EXPECT_EQ(devices.exitCode, 0);
  EXPECT_EQ(CountLines(devices.out), 1);
  EXPECT_EQ(play.exitCode, 1);
  EXPECT_EQ(play.err, "ondivox: no audio output device (see ondivox devices)\n");
}
