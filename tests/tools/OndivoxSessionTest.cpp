// Sessions rendered by the ondivox tool through the bundle, measured from
// the files it writes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>

#include "RenderSignature.h"
#include "ToolFiles.h"
#include "ToolRunner.h"
#include "tools/wav/WavFile.h"

namespace {

constexpr double kRate = 48000.0;

std::string WriteSession(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

WavAudio Read(const std::string& path) {
  WavAudio audio;
  std::string error;
  EXPECT_TRUE(ReadWav(path, &audio, &error)) << error;
  return audio;
}

// Renders the session text in 64-bit floating point and reads the result back.
WavAudio RenderSession(const std::string& dir, const std::string& name, const std::string& text,
                       const std::string& options = "") {
  const std::string session = WriteSession(dir + "/" + name + ".txt", text);
  const std::string out = dir + "/" + name + ".wav";
  ToolRun run = RunTool("render --session " + session + " --format f64 " + options + " -o " + out);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  return run.exitCode == 0 ? Read(out) : WavAudio();
}

double Seconds(std::size_t frame) { return frame / kRate; }

// Frames where a pulse starts: the first sound after a stretch of exact silence.
std::vector<std::size_t> PulseStarts(const std::vector<double>& x) {
  std::vector<std::size_t> starts;
  std::size_t silent = 0;
  for (std::size_t i = 0; i < x.size(); ++i) {
    if (x[i] == 0.0) {
      ++silent;
      continue;
    }
    if (silent >= 32) starts.push_back(i);
    silent = 0;
  }
  return starts;
}

// The pulse rate over each whole second, from the pulses whose cycles have
// their middle in it, beside the time their middles average to.
struct RateInSecond {
  double rate, at;
};

std::vector<RateInSecond> PulseRatesPerSecond(const std::vector<double>& x) {
  const std::vector<std::size_t> starts = PulseStarts(x);
  std::vector<RateInSecond> rates;
  for (int second = 0; second < static_cast<int>(Seconds(x.size())); ++second) {
    double cycles = 0, frames = 0, middles = 0;
    for (std::size_t k = 0; k + 1 < starts.size(); ++k) {
      const double middle = Seconds(starts[k] + starts[k + 1]) / 2;
      if (middle < second || middle >= second + 1) continue;
      cycles += 1;
      frames += static_cast<double>(starts[k + 1] - starts[k]);
      middles += middle;
    }
    if (cycles > 0) rates.push_back({cycles * kRate / frames, middles / cycles});
  }
  return rates;
}

double Peak(const std::vector<double>& x, std::size_t from, std::size_t to) {
  double peak = 0.0;
  for (std::size_t i = from; i < to && i < x.size(); ++i) peak = std::max(peak, std::fabs(x[i]));
  return peak;
}

// The carrier's frequency over a stretch, from its rising zero crossings.
double Frequency(const std::vector<double>& x, std::size_t from, std::size_t to) {
  double first = -1, last = -1;
  int crossings = 0;
  for (std::size_t i = from + 1; i < to; ++i) {
    if (!(x[i - 1] < 0.0 && x[i] >= 0.0)) continue;
    const double at = (i - 1) + x[i - 1] / (x[i - 1] - x[i]);
    if (first < 0) first = at;
    last = at;
    ++crossings;
  }
  return crossings > 1 ? (crossings - 1) * kRate / (last - first) : 0.0;
}

double Rms(const std::vector<double>& x, std::size_t from, std::size_t to) {
  double sum = 0.0;
  for (std::size_t i = from; i < to; ++i) sum += x[i] * x[i];
  return std::sqrt(sum / static_cast<double>(to - from));
}

// A stretch of 0.1 s around a time.
std::pair<std::size_t, std::size_t> Around(double seconds) {
  const auto centre = static_cast<std::size_t>(seconds * kRate);
  return {centre - 2400, centre + 2400};
}

}  // namespace

// The pulse rate, measured from the pulses themselves, follows the ramp's line.
TEST(OndivoxSession, RampOfThePulseRateIsHeardFollowingTheLine) {
  const std::string dir = ScratchDir("session-ramp");
  // Fade 1 ms: the plug-in's glide is shorter than a block, so it meets each point.
  const WavAudio out = RenderSession(dir, "ramp",
                                     "0    set Isochronic=14 Fade=1\n"
                                     "0:02 ramp 20 Isochronic=6\n"
                                     "0:24 end\n");
  ASSERT_EQ(out.Frames(), static_cast<std::size_t>(24 * kRate));
  auto line = [](double t) { return t < 2 ? 14.0 : t > 22 ? 6.0 : 14.0 - 8.0 * (t - 2) / 20; };
  const std::vector<RateInSecond> rates = PulseRatesPerSecond(out.channels[0]);
  ASSERT_GE(rates.size(), 23u);
  for (const RateInSecond& r : rates) EXPECT_NEAR(r.rate, line(r.at), 0.02) << "at " << r.at << " s";
}

// The change sounds from its time, at most one block early (where it falls
// inside a block) and never late, and replaces what earlier lines set or ramp.
TEST(OndivoxSession, ProgramChangeIsHeardFromItsTime) {
  const std::string dir = ScratchDir("session-program");
  struct Case {
    const char* before;  // lines after a steady tone at Volume 10 %
    const char* time;
    std::size_t frame;
  };
  const Case cases[] = {
      {"", "0:10", 480000},
      {"", "0:10.003", 480144},
      {"0:05 ramp 0:10 Volume=20\n", "0:10", 480000},
      {"0:10.001 set Volume=20\n", "0:10.003", 480144},  // in the program's block, before it
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.before) + c.time);
    // The program pulses at Volume 90 %.
    const WavAudio out = RenderSession(dir, "program",
                                       std::string("0 set Isochronic=Off Volume=10\n") + c.before + c.time +
                                           " program \"Isochronic - 14.1 (Earth Resonance)\"\n"
                                           "0:11 end\n");
    ASSERT_EQ(out.Frames(), static_cast<std::size_t>(11 * kRate));
    const std::vector<double>& left = out.channels[0];
    EXPECT_LT(Peak(left, 0, 5 * 48000), 0.0015);
    EXPECT_LT(Peak(left, 0, c.frame - 256), 0.003);
    EXPECT_GT(Peak(left, c.frame + 256, c.frame + 512), 0.4);
  }
  // What a program keeps (Bypass) stays as a line before it in its block left it;
  // a ramp too short to span a frame still arrives.
  const WavAudio bypassed =
      RenderSession(dir, "bypassed",
                    "0:01 set Bypass=On\n0:01 program \"Isochronic - 14.1 (Earth Resonance)\"\n0:02 end\n");
  EXPECT_EQ(Peak(bypassed.channels[0], 48000 + 256, 2 * 48000), 0.0);
  const WavAudio jumped = RenderSession(dir, "jumped",
                                        "0 set Isochronic=Off Volume=10\n0:00.5 ramp 0.00001 Volume=90\n0:01 end\n");
  EXPECT_LT(Peak(jumped.channels[0], 0, 24000 - 256), 0.003);
  EXPECT_GT(Peak(jumped.channels[0], 24000 + 256, 48000), 0.4);
}

// The fade gain, as the ratio of the faded render to the same session without
// fades: silence before the fade-in, full level at its end, and silence from
// the fade-out's end.
TEST(OndivoxSession, FadesReachTheirLevelsAtTheirEnds) {
  const std::string dir = ScratchDir("session-fades");
  const std::string tone = "0 set Isochronic=Off\n";
  const WavAudio faded = RenderSession(dir, "faded", tone + "0:00.5 fade-in 2\n0:06 fade-out 2\n0:09 end\n");
  const WavAudio plain = RenderSession(dir, "plain", tone + "0:09 end\n");
  ASSERT_EQ(faded.Frames(), plain.Frames());
  auto gain = [&](double seconds) {
    double cross = 0, power = 0;
    for (std::size_t i = static_cast<std::size_t>(seconds * kRate) - 240, n = i + 480; i < n; ++i) {
      cross += faded.channels[0][i] * plain.channels[0][i];
      power += plain.channels[0][i] * plain.channels[0][i];
    }
    return cross / power;
  };
  const struct {
    double at, gain;
  } levels[] = {{0.51, 0.005}, {1.5, 0.5}, {2.49, 0.995}, {4.0, 1.0}, {6.01, 0.995}, {7.0, 0.5}, {7.99, 0.005}};
  for (const auto& l : levels) EXPECT_NEAR(gain(l.at), l.gain, 1e-3) << "at " << l.at << " s";
  EXPECT_EQ(Peak(faded.channels[0], 0, 24000), 0.0);
  EXPECT_GT(Peak(plain.channels[0], 0, 24000), 0.4);
  EXPECT_EQ(Peak(faded.channels[0], 8 * 48000, faded.Frames()), 0.0);
  EXPECT_EQ(faded.channels[0][static_cast<std::size_t>(4 * kRate)],
            plain.channels[0][static_cast<std::size_t>(4 * kRate)]);
}

// Two parameters ramp at once, and a later ramp of one of them takes over
// from where the earlier one stands.
TEST(OndivoxSession, OverlappingRampsEachFollowTheirLines) {
  const std::string dir = ScratchDir("session-overlap");
  const WavAudio out = RenderSession(dir, "overlap",
                                     "0 set Isochronic=Off Fade=1\n"
                                     "1 ramp 4 \"Base Freq=600\"\n"  // 200 -> 600 Hz over 1 .. 5 s
                                     "3 ramp 4 Pan=100\n"            // 0 -> 100 % over 3 .. 7 s
                                     "4 ramp 2 \"Base Freq=100\"\n"  // from 500 Hz at 4 s to 100 Hz at 6 s
                                     "8 end\n");
  ASSERT_EQ(out.Frames(), static_cast<std::size_t>(8 * kRate));
  std::vector<double> sum(out.Frames());
  for (std::size_t i = 0; i < sum.size(); ++i) sum[i] = out.channels[0][i] + out.channels[1][i];
  const struct {
    double at, frequency, pan;
  } expected[] = {{0.5, 200, 0.0},   {2.0, 300, 0.0},   {3.5, 450, 0.125}, {4.5, 400, 0.375},
                  {5.5, 200, 0.625}, {6.5, 100, 0.875}, {7.5, 100, 1.0}};
  for (const auto& e : expected) {
    SCOPED_TRACE(e.at);
    const auto [from, to] = Around(e.at);
    EXPECT_NEAR(Frequency(sum, from, to), e.frequency, 0.5);
    const double left = Rms(out.channels[0], from, to), right = Rms(out.channels[1], from, to);
    EXPECT_NEAR((right - left) / (right + left), e.pan, 0.005);
  }
}

// A looped background starts again at its end, its last 20 ms fading out
// as its start fades in, so it repeats every 80 ms of its 100; a relative
// name is found beside the session file.
TEST(OndivoxSession, LoopedInputRepeatsFromBesideTheSessionFile) {
  const std::string dir = ScratchDir("session-loop");
  WavAudio background;
  background.sampleRate = kRate;
  background.channels.assign(1, std::vector<double>(4800));
  for (std::size_t i = 0; i < 4800; ++i) background.channels[0][i] = 0.25 * std::sin(i * 0.013);
  std::string error;
  ASSERT_TRUE(WriteWav(dir + "/bg.wav", background, WavFormat::kFloat64, &error)) << error;
  const WavAudio mixed = RenderSession(dir, "mixed", "input \"bg.wav\" loop\n0.35 end\n");
  const WavAudio alone = RenderSession(dir, "alone", "0.35 end\n");
  ASSERT_EQ(mixed.Frames(), 16800u);
  ASSERT_EQ(alone.Frames(), 16800u);
  const std::vector<double>& bg = background.channels[0];
  constexpr std::size_t kSeam = 960, kPeriod = 4800 - kSeam;
  const auto expected = [&](std::size_t t) {
    if (t < kPeriod) return bg[t];
    const std::size_t m = (t - kPeriod) % kPeriod;
    if (m >= kSeam) return bg[m];
    const double in = (m + 0.5) / kSeam;
    return bg[kPeriod + m] * (1.0 - in) + bg[m] * in;
  };
  for (int side = 0; side < 2; ++side)
    for (std::size_t i = 0; i < 16800; i += 7)
      ASSERT_NEAR(mixed.channels[side][i] - alone.channels[side][i], expected(i), 1e-9) << side << " " << i;
}

// The header sets what the command line leaves out, and gives way to it.
TEST(OndivoxSession, CommandLineOverridesTheHeader) {
  const std::string dir = ScratchDir("session-header");
  const std::string text = "rate 44100\ntempo 90\n0:02 end\n";
  const WavAudio fromHeader = RenderSession(dir, "header", text);
  EXPECT_EQ(fromHeader.sampleRate, 44100.0);
  EXPECT_EQ(fromHeader.Frames(), 88200u);
  const WavAudio overridden = RenderSession(dir, "options", text, "--rate 48000 --seconds 1");
  EXPECT_EQ(overridden.sampleRate, 48000.0);
  EXPECT_EQ(overridden.Frames(), 48000u);
  // --program and --set start the session; its lines play on top.
  const WavAudio start = RenderSession(dir, "start", "0:01 end\n", "--set Volume=0");
  const WavAudio onTop = RenderSession(dir, "ontop", "0 set Volume=90\n0:01 end\n", "--set Volume=0");
  const WavAudio plain = RenderSession(dir, "plain", "0:01 end\n");
  EXPECT_LT(Peak(start.channels[0], 0, 48000), 0.002);
  EXPECT_EQ(onTop.channels, plain.channels);
}

TEST(OndivoxSession, ShowListsEachStepWithTheValuesItLeadsTo) {
  const std::string dir = ScratchDir("session-show");
  const std::string session = WriteSession(dir + "/show.txt",
                                           "# a short descent\n"
                                           "0:00  program \"Isochronic - 14.1 (Earth Resonance)\"\n"
                                           "0:00  fade-in 5\n"
                                           "0:10  ramp 1:00 Isochronic=6 \"Base Freq=180\"\n"
                                           "0:40  set \"Wave=Golden Sine\" Isochronic=8\n"
                                           "1:30  end\n");
  ToolRun run = RunTool("session show " + session);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const char* lines[] = {
      "0:00.000  line 2    program 60 \"Isochronic - 14.1 (Earth Resonance)\": Isochronic 14.10 Hz",
      "0:00.000  line 3    fade-in 0:05.000 until 0:05.000: gain 0.00 -> 1.00",
      "0:10.000  line 4    ramp 1:00.000 until 1:10.000: Isochronic 14.10 Hz -> 6.00 Hz (stopped at 10.05 Hz at "
      "0:40.000 by line 5), Base Freq 200.0 Hz -> 180.0 Hz",
      "0:40.000  line 5    set: Wave Golden Sine, Isochronic 8.00 Hz",
      "1:30.000  line 6    end",
      "length 1:30.000 (90 s)",
  };
  for (const char* line : lines) EXPECT_NE(run.out.find(line), std::string::npos) << line << "\n" << run.out;
  EXPECT_TRUE(run.err.empty()) << run.err;
}

namespace {

const Signature kSessionReference =
#include "SessionParityReferences.inc"
    ;

}  // namespace

// One session using every kind of line renders the same samples on every
// platform: both compare with the signature checked in (made on Linux with
// the change that joined loops with a crossfade; before it, with the change
// that introduced sessions).
TEST(OndivoxSession, RendersAsTheReferenceOnEveryPlatform) {
  const std::string dir = ScratchDir("session-parity");
  WavAudio background;
  background.sampleRate = kRate;
  background.channels.assign(2, std::vector<double>(12000));
  for (std::size_t i = 0; i < 12000; ++i) {
    background.channels[0][i] = 0.1 * ((i * 7919) % 2000 / 1000.0 - 1.0);
    background.channels[1][i] = 0.1 * ((i * 104729) % 3000 / 1500.0 - 1.0);
  }
  std::string error;
  ASSERT_TRUE(WriteWav(dir + "/bg.wav", background, WavFormat::kFloat64, &error)) << error;
  const WavAudio out = RenderSession(dir, "parity",
                                     "input bg.wav loop\n"
                                     "0     program \"Solfeggio MI - 528 Hz LFO\"\n"
                                     "0     fade-in 0.5\n"
                                     "0.5   ramp 3 Isochronic=9 \"Base Freq=440\"\n"
                                     "1.25  ramp 2 Pan=-60\n"
                                     "2     set \"Wave=Golden Sine\" Round=40\n"
                                     "3     program 12\n"
                                     "3.5   ramp 1.5 Volume=60\n"
                                     "5     fade-out 1\n"
                                     "6     end\n");
  ASSERT_EQ(out.Frames(), static_cast<std::size_t>(6 * kRate));
  const Signature got = SignatureOf(out);
  ExpectSignature(got, kSessionReference);
  if (HasFailure()) std::printf("%s\n", SignatureText(got).c_str());
}

// Every mistake names the file and the line, is found before anything is
// rendered, and leaves no file behind.
TEST(OndivoxSession, BadSessionsSayWhereAndWriteNothing) {
  const std::string dir = ScratchDir("session-errors");
  const std::string out = dir + "/out.wav";
  WavAudio in48;
  in48.sampleRate = kRate;
  in48.channels.assign(1, std::vector<double>(480));
  std::string error;
  ASSERT_TRUE(WriteWav(dir + "/in48.wav", in48, WavFormat::kPcm16, &error)) << error;
  struct Case {
    std::string text;
    std::string says;
  };
  const Case cases[] = {
      {"0 set Isochronc=6\n1 end\n", "bad.txt:1: 'Isochronc' is not a parameter; did you mean 'Isochronic'?"},
      {"# a comment\n\n  0 set Volume=50  # fine\n0 set Nothing=1\n1 end\n", "bad.txt:4: 'Nothing' is not a parameter"},
      {"0 set Volume=101\n1 end\n", "bad.txt:1: bad value for Volume: 101 is outside 0 .. 100"},
      {"0 set Wave=Noise\n1 end\n", "bad.txt:1: bad value for Wave"},
      {"0 set Isochronic=1\n1 end\n", "bad.txt:1: 'Isochronic' names more than one parameter"},
      {"0 set Volume\n1 end\n", "bad.txt:1: 'Volume' is not PARAM=VALUE"},
      {"0 program \"No Such Program\"\n1 end\n", "bad.txt:1: no program named \"No Such Program\""},
      {"0 program 150\n1 end\n", "bad.txt:1: no program 150"},
      {"0 program \"Isochronic - 14.1\n1 end\n", "bad.txt:1: a quote opened in column 11 is not closed"},
      {"1:75 set Volume=1\n", "bad.txt:1: '1:75' is not a time or a header word"},
      {"0:30 set Volume=1\n0:20 set Volume=2\n1 end\n", "bad.txt:2: 0:20 is earlier than the line before (0:30.000)"},
      {"0 rmap 4 Volume=1\n",
       "bad.txt:1: 'rmap' is not a session word (program, set, ramp, fade-in, fade-out, start, "
       "end); did you mean 'ramp'?"},
      {"set Volume=1\n", "bad.txt:1: 'set' needs a time before it"},
      {"0 set Volume=1\n0:05 set Volume=2\n", "bad.txt:2: the session has no end line"},
      {"0 ramp 0 Volume=1\n1 end\n", "bad.txt:1: ramp: the duration must be longer than 0"},
      {"0 fade-in -1\n1 end\n", "bad.txt:1: fade-in: '-1' is not a duration"},
      {"0 fade-out\n1 end\n", "bad.txt:1: fade-out needs a duration"},
      {"0 ramp 99999999999999999999 Volume=1\n1 end\n", "bad.txt:1: ramp: 99999999999999999999 is longer than 24 hours"},
      {"0 fade-out 2:00\n1:00 end\n", "bad.txt:1: the fade-out ends at 2:00.000, after the session's end (1:00.000)"},
      {"1 end\n2 set Volume=1\n", "bad.txt:2: this line comes after the session's end (line 1)"},
      {"0 set Volume=1\nrate 44100\n1 end\n", "bad.txt:2: 'rate' is a header line; put it before the first timed line"},
      {"rate 44100.5\n1 end\n", "bad.txt:1: rate: 44100.5 is not a whole number of Hz"},
      {"tempo 0\n1 end\n", "bad.txt:1: tempo: 0 is out of range"},
      {"input \"missing.wav\"\n1 end\n", "bad.txt:1: cannot read "},
      {"0 program \"Isochronic - 14.1 (Earth Resonnance)\"\n1 end\n",
       "bad.txt:1: no program named \"Isochronic - 14.1 (Earth Resonnance)\"; did you mean \"Isochronic - 14.1 (Earth "
       "Resonance)\"?"},
  };
  for (const Case& c : cases) {
    const std::string session = WriteSession(dir + "/bad.txt", c.text);
    ExpectFailure("render --session " + session + " -o " + out, 1, c.says, out);
  }
  ExpectFailure("render --session " + dir + "/none.txt -o " + out, 1, "cannot read " + dir + "/none.txt", out);
}
