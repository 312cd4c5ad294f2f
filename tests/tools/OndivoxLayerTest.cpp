// Layered sessions rendered by the ondivox tool through the bundle: voices,
// noise beds and background files, measured from the files it writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <fstream>

#include "RenderSignature.h"
#include "ToolFiles.h"
#include "ToolRunner.h"
#include "tools/wav/WavFile.h"

namespace {

constexpr double kRate = 48000.0;
constexpr double kPi = 3.14159265358979323846;
const std::string kFixtures = ONDIVOX_FIXTURES_DIR;

// Renders the session text in 64-bit floating point and reads it back;
// empty when the tool fails.
WavAudio RenderLayers(const std::string& dir, const std::string& name, const std::string& text,
                      const std::string& options = "") {
  const std::string session = dir + "/" + name + ".txt";
  std::ofstream(session, std::ios::binary) << text;
  const std::string out = dir + "/" + name + ".wav";
  const ToolRun run = RunTool("render --quiet --session " + session + " --format f64 " + options + " -o " + out);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  WavAudio audio;
  std::string error;
  if (run.exitCode == 0) {
    EXPECT_TRUE(ReadWav(out, &audio, &error)) << error;
  }
  std::remove(out.c_str());
  return audio;
}

double Rms(const std::vector<double>& x, std::size_t from, std::size_t to) {
  double sum = 0;
  for (std::size_t i = from; i < to; ++i) sum += x[i] * x[i];
  return std::sqrt(sum / static_cast<double>(to - from));
}

double Db(double ratio) { return 20.0 * std::log10(ratio); }

// The frequency from the rising zero crossings between from and to, each
// placed between its two samples.
double Frequency(const std::vector<double>& x, std::size_t from, std::size_t to, double rate) {
  double first = -1, last = -1;
  int cycles = -1;
  for (std::size_t i = from + 1; i < to; ++i)
    if (x[i - 1] < 0 && x[i] >= 0) {
      const double at = static_cast<double>(i - 1) + x[i - 1] / (x[i - 1] - x[i]);
      if (first < 0) first = at;
      last = at;
      ++cycles;
    }
  return cycles > 0 ? cycles * rate / (last - first) : 0.0;
}

// Pulses per second: the rises of the loudness over 10 ms (whole cycles of
// the carriers) through half its peak.
double PulseRate(const std::vector<double>& x, std::size_t from, std::size_t to, double rate) {
  std::vector<double> loudness;
  for (std::size_t i = from; i + 480 <= to; i += 480) loudness.push_back(Rms(x, i, i + 480));
  const double half = *std::max_element(loudness.begin(), loudness.end()) / 2;
  int rises = 0;
  for (std::size_t k = 1; k < loudness.size(); ++k) rises += loudness[k - 1] < half && loudness[k] >= half;
  return rises * rate / static_cast<double>(to - from);
}

void Fft(std::vector<std::complex<double>>& a) {
  const std::size_t n = a.size();
  for (std::size_t i = 1, j = 0; i < n; ++i) {
    std::size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(a[i], a[j]);
  }
  for (std::size_t len = 2; len <= n; len <<= 1) {
    const std::complex<double> w(std::cos(2 * kPi / len), -std::sin(2 * kPi / len));
    for (std::size_t i = 0; i < n; i += len) {
      std::complex<double> wn(1);
      for (std::size_t k = 0; k < len / 2; ++k, wn *= w) {
        const std::complex<double> u = a[i + k], v = a[i + k + len / 2] * wn;
        a[i + k] = u + v;
        a[i + k + len / 2] = u - v;
      }
    }
  }
}

// The mean power density in each octave band centred on 40 Hz * 2^k, over
// Hann-windowed, half-overlapping pieces of both channels, in dB.
std::vector<double> OctaveDensities(const WavAudio& audio, int octaves) {
  constexpr std::size_t kSize = 1 << 16;
  std::vector<double> power(kSize / 2, 0.0);
  for (const auto& x : audio.channels)
    for (std::size_t start = 0; start + kSize <= x.size(); start += kSize / 2) {
      std::vector<std::complex<double>> piece(kSize);
      for (std::size_t i = 0; i < kSize; ++i) piece[i] = x[start + i] * (0.5 - 0.5 * std::cos(2 * kPi * i / kSize));
      Fft(piece);
      for (std::size_t k = 0; k < kSize / 2; ++k) power[k] += std::norm(piece[k]);
    }
  std::vector<double> bands;
  const double binHz = audio.sampleRate / kSize;
  for (int b = 0; b < octaves; ++b) {
    const double centre = 40.0 * std::pow(2.0, b);
    const std::size_t lo = static_cast<std::size_t>(centre / std::sqrt(2.0) / binHz);
    const std::size_t hi = static_cast<std::size_t>(centre * std::sqrt(2.0) / binHz);
    double sum = 0;
    for (std::size_t k = lo; k < hi; ++k) sum += power[k];
    bands.push_back(10.0 * std::log10(sum / static_cast<double>(hi - lo)));
  }
  return bands;
}

// The main voice far below everything else, so a layer can be measured alone.
const std::string kQuietMain = "0 set level=-120\n";

}  // namespace

// Two voices, one on each side: each carrier at its own level, pulsing at its own rate.
TEST(OndivoxLayers, TwoVoicesEachAtTheirLevelAndRate) {
  const std::string dir = ScratchDir("layers-voices");
  const std::string voices =
      "layer low voice\n"
      "0 set \"Base Freq=432\" Isochronic=10 Fade=1\n"
      "0 low: set \"Base Freq=200\" Isochronic=4 Fade=1\n";
  const WavAudio alone = RenderLayers(dir, "alone", "0 set \"Base Freq=432\" Isochronic=10 Fade=1\n4 end\n");
  const WavAudio both =
      RenderLayers(dir, "both", voices + "0 set level=-6 balance=-100\n0 low: set level=-12 balance=100\n4 end\n");
  const WavAudio lowAlone = RenderLayers(dir, "low", "0 set \"Base Freq=200\" Isochronic=4 Fade=1\n4 end\n");
  ASSERT_EQ(both.Frames(), static_cast<std::size_t>(4 * kRate));
  const std::size_t from = static_cast<std::size_t>(kRate), to = both.Frames();
  // Full left or right carries the voice's two sides: +3 dB.
  EXPECT_NEAR(Db(Rms(both.channels[0], from, to) / Rms(alone.channels[0], from, to)), -6.0 + 3.01, 0.05);
  EXPECT_NEAR(Db(Rms(both.channels[1], from, to) / Rms(lowAlone.channels[1], from, to)), -12.0 + 3.01, 0.05);
  EXPECT_NEAR(PulseRate(both.channels[0], from, to, kRate), 10.0, 0.34);  // within one pulse in 3 s
  EXPECT_NEAR(PulseRate(both.channels[1], from, to, kRate), 4.0, 0.34);
  // Within a pulse, each side holds only its own carrier.
  EXPECT_NEAR(Frequency(both.channels[0], from, from + 2400, kRate), 432.0, 2.0);
  EXPECT_NEAR(Frequency(both.channels[1], from, from + 4800, kRate), 200.0, 2.0);
}

// White is flat, pink falls 3.01 dB and brown 6.02 dB per octave from 40 Hz
// to 10 kHz, each at the RMS level its line gives.
TEST(OndivoxLayers, NoiseHasItsSlopeAndLevel) {
  const std::string dir = ScratchDir("layers-noise");
  const struct {
    const char* colour;
    double slope;
  } colours[] = {{"white", 0.0}, {"pink", -3.0103}, {"brown", -6.0206}};
  for (const auto& c : colours) {
    SCOPED_TRACE(c.colour);
    const WavAudio noise = RenderLayers(dir, c.colour,
                                        std::string("layer bed noise ") + c.colour + "\n" + kQuietMain +
                                            "0 bed: set level=-20\n40 end\n");
    ASSERT_EQ(noise.Frames(), static_cast<std::size_t>(40 * kRate));
    for (int side = 0; side < 2; ++side) EXPECT_NEAR(Db(Rms(noise.channels[side], 0, noise.Frames())), -20.0, 0.2);
    const std::vector<double> bands = OctaveDensities(noise, 9);  // 40 Hz .. 10.24 kHz
    for (std::size_t b = 1; b < bands.size(); ++b)
      EXPECT_NEAR(bands[b] - bands[b - 1], c.slope, 0.5) << "octave " << 40 * (1 << (b - 1)) << " Hz up";
  }
}

// A level ramp on a noise bed follows its line, second by second (white,
// whose loudness over a second is steadiest).
TEST(OndivoxLayers, NoiseLevelFollowsItsRamp) {
  const std::string dir = ScratchDir("layers-ramp");
  const WavAudio noise =
      RenderLayers(dir, "ramp", "layer bed noise white\n" + kQuietMain + "1 bed: ramp 8 level=-50\n10 end\n");
  for (int second = 0; second < 10; ++second) {
    SCOPED_TRACE(second);
    const double mid = second + 0.5;
    const double expected = mid < 1 ? -30.0 : mid > 9 ? -50.0 : -30.0 - 20.0 * (mid - 1) / 8;
    const std::size_t from = static_cast<std::size_t>(second * kRate), to = from + static_cast<std::size_t>(kRate);
    EXPECT_NEAR(Db(Rms(noise.channels[0], from, to)), expected, 0.5);
  }
}

namespace {

const Signature kSeededNoise =
#include "LayerNoiseReference.inc"
    ;

}  // namespace

// The same seed gives the same noise on every platform (both compare with
// the signature checked in), another seed other noise.
TEST(OndivoxLayers, SeededNoiseIsTheSameEverywhere) {
  const std::string dir = ScratchDir("layers-seed");
  const std::string beds =
      "layer w noise white\nlayer p noise pink\nlayer b noise brown\n" + kQuietMain +
      "0 w: set level=-30 balance=40\n0 p: ramp 2 level=-24\n0 b: set balance=-70\n1 b: fade-out 1\n2 end\n";
  const WavAudio seeded = RenderLayers(dir, "seed", "seed 12345\n" + beds);
  const WavAudio again = RenderLayers(dir, "again", "seed 12345\n" + beds);
  const WavAudio other = RenderLayers(dir, "other", "seed 12346\n" + beds);
  EXPECT_EQ(seeded.channels, again.channels);
  EXPECT_NE(seeded.channels, other.channels);
  const Signature got = SignatureOf(seeded);
  ExpectSignature(got, kSeededNoise);
  if (HasFailure()) std::printf("%s\n", SignatureText(got).c_str());
}

// FLAC, Ogg Vorbis and MP3 at 44.1 kHz mix into a 48 kHz render: the tone
// keeps its frequency and level through the resampler, and the file its length.
TEST(OndivoxLayers, BackgroundFilesAreResampled) {
  const std::string dir = ScratchDir("layers-files");
  for (const char* kind : {"flac", "ogg", "mp3"}) {
    SCOPED_TRACE(kind);
    const std::string file = kFixtures + "/tone-1k-44k1." + kind;
    const std::string text = "layer tone input \"" + file + "\"\n" + kQuietMain + "3 end\n";
    const WavAudio native = RenderLayers(dir, std::string(kind) + "-44k1", text, "--rate 44100");
    const WavAudio resampled = RenderLayers(dir, std::string(kind) + "-48k", text);
    ASSERT_EQ(resampled.Frames(), static_cast<std::size_t>(3 * kRate));
    const auto middle = [](const WavAudio& a, double* rms, double* hz) {
      const std::size_t from = static_cast<std::size_t>(0.5 * a.sampleRate);
      const std::size_t to = static_cast<std::size_t>(1.5 * a.sampleRate);
      *rms = Rms(a.channels[0], from, to);
      *hz = Frequency(a.channels[0], from, to, a.sampleRate);
    };
    double nativeRms = 0, nativeHz = 0, rms = 0, hz = 0;
    middle(native, &nativeRms, &nativeHz);
    middle(resampled, &rms, &hz);
    EXPECT_NEAR(Db(rms / nativeRms), 0.0, 0.1);
    EXPECT_NEAR(hz, 1000.0, 0.1);
    EXPECT_NEAR(nativeHz, 1000.0, 0.1);
    EXPECT_EQ(resampled.channels[0], resampled.channels[1]);  // mono on both sides
    // Two seconds of tone, then silence (an MP3 frame's worth of latitude at its end).
    std::size_t lastSound = 0;
    for (std::size_t i = 0; i < resampled.Frames(); ++i)
      if (std::fabs(resampled.channels[0][i]) > 1e-3) lastSound = i;
    EXPECT_NEAR(lastSound / kRate, 2.0, std::string(kind) == "mp3" ? 0.06 : 0.005);
  }
  // --input takes the same files, resampled to the render's rate.
  const std::string out = dir + "/input.wav";
  const ToolRun run = RunTool("render --quiet --input " + kFixtures + "/tone-1k-44k1.flac --rate 48000 -o " + out);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  WavAudio input;
  std::string error;
  ASSERT_TRUE(ReadWav(out, &input, &error)) << error;
  EXPECT_EQ(input.Frames(), static_cast<std::size_t>(2 * kRate));
}

// A looped file's seam: no step and no gap where the end meets the start.
TEST(OndivoxLayers, LoopSeamDoesNotClick) {
  const std::string dir = ScratchDir("layers-loop");
  // 0.3 s of a 100 Hz tone that ends mid-cycle: a plain join would jump.
  WavAudio file;
  file.sampleRate = kRate;
  file.channels.assign(1, std::vector<double>(14400));
  for (std::size_t i = 0; i < 14400; ++i) file.channels[0][i] = 0.5 * std::sin(2 * kPi * 100.25 * i / kRate);
  std::string error;
  ASSERT_TRUE(WriteWav(dir + "/loop.wav", file, WavFormat::kFloat64, &error)) << error;
  const WavAudio looped = RenderLayers(dir, "looped", "layer bg input loop.wav loop\n" + kQuietMain + "1 end\n");
  const std::vector<double>& x = looped.channels[0];
  // The largest step between frames, anywhere, is that of the tone itself.
  double step = 0, toneStep = 0;
  for (std::size_t i = 1; i < x.size(); ++i) step = std::max(step, std::fabs(x[i] - x[i - 1]));
  for (std::size_t i = 1; i < 14400; ++i)
    toneStep = std::max(toneStep, std::fabs(file.channels[0][i] - file.channels[0][i - 1]));
  EXPECT_LT(step, toneStep * 1.05);
  // It goes on: every 10 ms of the second holds sound.
  for (std::size_t from = 0; from + 480 <= x.size(); from += 480) EXPECT_GT(Rms(x, from, from + 480), 0.1) << from;
}

// --normalize puts the peak where it says, and is refused for a stream.
TEST(OndivoxLayers, NormalizePutsThePeakAtItsLevel) {
  const std::string dir = ScratchDir("layers-normalize");
  const std::string text = "layer bed noise pink\n0 bed: set level=-12\n2 end\n";
  const WavAudio out = RenderLayers(dir, "norm", text, "--normalize -1");
  double peak = 0;
  for (const auto& c : out.channels)
    for (double v : c) peak = std::max(peak, std::fabs(v));
  EXPECT_NEAR(Db(peak), -1.0, 1e-6);
  const ToolRun stream = RunTool("render --session " + dir + "/norm.txt --normalize -1 -o -");
  EXPECT_EQ(stream.exitCode, 2);
  EXPECT_NE(stream.err.find("--normalize"), std::string::npos) << stream.err;
}

// A bad layer line names the file, the line and the reason, and nothing is written.
TEST(OndivoxLayers, BadLayerLinesSayWhereAndWriteNothing) {
  const std::string dir = ScratchDir("layers-errors");
  std::ofstream(dir + "/junk.mp3", std::ios::binary) << "ID3 this is no audio at all, only words";
  const struct {
    const char* text;
    std::string says;
  } cases[] = {
      {"layer low voice\n0 lwo: set Volume=50\n1 end\n", "bad.txt:2: 'lwo' is not a layer (main, low); did you mean 'low'?"},
      {"layer low voice\nlayer low noise pink\n1 end\n", "bad.txt:2: layer 'low' is declared twice (first on line 1)"},
      {"layer main voice\n1 end\n", "bad.txt:1: layer 'main' is declared twice ('main' is the first voice)"},
      {"layer hiss noise pink\n0 hiss: program 4\n1 end\n", "bad.txt:2: program works on voices; 'hiss' is a noise layer"},
      {"layer hiss noise grey\n1 end\n", "bad.txt:1: 'grey' is not a noise colour (white, pink, brown)"},
      {"layer hiss noise pink\n0 hiss: set Volume=3\n1 end\n",
       "bad.txt:2: 'Volume' is not a setting of hiss, a noise layer (level, balance)"},
      {"layer hiss noise pink\n0 hiss: set level=30\n1 end\n", "bad.txt:2: bad value for level: 30 is outside -120 .. 24"},
      {"layer bg input junk.mp3\n1 end\n", "bad.txt:1: " + dir + "/junk.mp3 does not decode as MP3"},
      {"layer bg input missing.ogg\n1 end\n", "bad.txt:1: cannot read " + dir + "/missing.ogg"},
      {"layer bad/name voice\n1 end\n", "bad.txt:1: layer: 'bad/name' is not a layer name"},
      {"layer low voice\n0 low: start\n0:01 low: start\n2 end\n", "bad.txt:3: low starts twice (first on line 2)"},
      {"0 main: end\n", "bad.txt:1: end is the whole session's; write it without a layer"},
  };
  const std::string out = dir + "/out.wav";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    std::ofstream(dir + "/bad.txt", std::ios::binary) << c.text;
    const ToolRun run = RunTool("render --session " + dir + "/bad.txt -o " + out);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    EXPECT_EQ(FilesIn(dir).size(), 2u);  // the session and junk.mp3 only
  }
}

// session show lists the layers and which layer each line moves.
TEST(OndivoxLayers, ShowListsTheLayers) {
  const std::string dir = ScratchDir("layers-show");
  std::ofstream(dir + "/show.txt", std::ios::binary)
      << "layer low voice\nlayer bed noise brown\nseed 9\n0 low: program 40\n0:02 bed: ramp 3 level=-40\n"
         "0:03 low: start\n0:04 bed: fade-out 1\n0:05 end\n";
  const ToolRun run = RunTool("session show " + dir + "/show.txt");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  for (const char* line : {"seed 9,", "  layer low        line 1    voice", "  layer bed        line 2    noise brown",
                           "0:00.000  line 4    low: program 40 ",
                           "0:02.000  line 5    bed: ramp 0:03.000 until 0:05.000: level -30.0 dB -> -40.0 dB",
                           "0:03.000  line 6    low: start", "0:04.000  line 7    bed: fade-out 0:01.000"})
    EXPECT_NE(run.out.find(line), std::string::npos) << line << "\n" << run.out;
}
