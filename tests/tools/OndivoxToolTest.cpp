// The ondivox command line, run as a separate program on the built bundle.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <tuple>

#include "FlacDecode.h"
#include "ToolFiles.h"
#include "ToolRunner.h"
#include "tools/wav/WavFile.h"

namespace {

WavAudio Read(const std::string& path) {
  WavAudio audio;
  std::string error;
  EXPECT_TRUE(ReadWav(path, &audio, &error)) << error;
  return audio;
}

// The integers a PCM file of bits bits holds, as the reader scaled them.
std::vector<std::vector<int32_t>> Integers(const WavAudio& audio, int bits) {
  const double scale = bits == 16 ? 32768.0 : 8388608.0;
  std::vector<std::vector<int32_t>> out;
  for (const auto& ch : audio.channels) {
    out.emplace_back();
    for (double x : ch) out.back().push_back(static_cast<int32_t>(std::lround(x * scale)));
  }
  return out;
}

double Peak(const WavAudio& audio) {
  double peak = 0.0;
  for (const auto& ch : audio.channels)
    for (double x : ch) peak = std::max(peak, std::fabs(x));
  return peak;
}


}  // namespace

TEST(OndivoxTool, InfoListsClassParametersAndPrograms) {
  ToolRun run = RunTool("info");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("{F2AEE70D-00DE-4F4E-5A74-76416B75686A}"), std::string::npos);
  EXPECT_NE(run.out.find("parameters (27)"), std::string::npos);
  EXPECT_NE(run.out.find("Base Freq"), std::string::npos);
  EXPECT_NE(run.out.find("programs (\"Factory Presets\", 150)"), std::string::npos);
  EXPECT_NE(run.out.find("Solfeggio MI - 528 Hz LFO"), std::string::npos);
}

TEST(OndivoxTool, RendersAProgramByNameOrNumberInEachFormat) {
  const std::string dir = ScratchDir("render");
  ToolRun byName = RunTool("render --program 'Solfeggio MI - 528 Hz LFO' --seconds 1 -o " + dir + "/a.wav");
  ASSERT_EQ(byName.exitCode, 0) << byName.err;
  EXPECT_EQ(CountLines(byName.out), 1);
  EXPECT_NE(byName.out.find("Solfeggio MI - 528 Hz LFO"), std::string::npos);
  int number = -1;
  std::sscanf(byName.out.c_str() + byName.out.find("program ") + 8, "%d", &number);
  ASSERT_GT(number, 0);

  ToolRun byNumber = RunTool("render --program " + std::to_string(number) + " --seconds 1 --format f32 -o " +
                             dir + "/b.wav");
  ASSERT_EQ(byNumber.exitCode, 0) << byNumber.err;
  WavAudio a = Read(dir + "/a.wav"), b = Read(dir + "/b.wav");
  ASSERT_EQ(a.Frames(), 48000u);
  ASSERT_EQ(b.Frames(), 48000u);
  EXPECT_EQ(a.sampleRate, 48000.0);
  EXPECT_GT(Peak(b), 0.05);
  for (std::size_t i = 0; i < a.Frames(); ++i) ASSERT_NEAR(a.channels[0][i], b.channels[0][i], 2.0 / 8388607);

  ToolRun pcm16 = RunTool("render --seconds 0.5 --rate 44100 --format 16 -o " + dir + "/c.wav");
  ASSERT_EQ(pcm16.exitCode, 0) << pcm16.err;
  WavAudio c = Read(dir + "/c.wav");
  EXPECT_EQ(c.sampleRate, 44100.0);
  EXPECT_EQ(c.Frames(), 22050u);
}

// FLAC follows the name, or --format flac16|flac24 whatever the name; either
// way it decodes to exactly the samples of the WAV render at that depth.
// A program's render and a session's alike.
TEST(OndivoxTool, FlacRendersDecodeToTheSamplesOfTheWavRender) {
  const std::string dir = ScratchDir("flac");
  std::ofstream(dir + "/ramp.txt") << "0 program \"Solfeggio MI - 528 Hz LFO\"\n0 fade-in 1\n"
                                      "0.5 ramp 2 Isochronic=9 Volume=60\n3 end\n";
  const std::string renders[] = {"render --program 'Solfeggio MI - 528 Hz LFO' --seconds 3 ",
                                 "render --session " + dir + "/ramp.txt "};
  for (const std::string& what : renders) {
    for (int bits : {16, 24}) {
      SCOPED_TRACE(what);
      const std::string depth = std::to_string(bits);
      ToolRun wav = RunTool(what + "--format " + depth + " -o " + dir + "/" + depth + ".wav");
      ASSERT_EQ(wav.exitCode, 0) << wav.err;
      const auto expected = Integers(Read(dir + "/" + depth + ".wav"), bits);
      ASSERT_EQ(expected.size(), 2u);
      ASSERT_EQ(expected[0].size(), 144000u);
      for (const std::string& output : {"--format " + depth + " -o " + dir + "/a" + depth + ".flac",
                                        "--format " + depth + " -o " + dir + "/B" + depth + ".FLAC",
                                        "--format flac" + depth + " -o " + dir + "/c" + depth + ".out"}) {
        SCOPED_TRACE(output);
        ToolRun flac = RunTool(what + output);
        ASSERT_EQ(flac.exitCode, 0) << flac.err;
        EXPECT_NE(flac.out.find(", " + depth + "-bit FLAC, "), std::string::npos) << flac.out;
        const FlacAudio decoded = DecodeFlac(output.substr(output.find("-o ") + 3));
        ASSERT_TRUE(decoded.ok) << decoded.error;
        EXPECT_EQ(decoded.rate, 48000u);
        EXPECT_EQ(decoded.bits, static_cast<uint32_t>(bits));
        EXPECT_EQ(decoded.totalSamples, 144000u);
        EXPECT_EQ(decoded.channels, expected);
      }
    }
  }
  // 24 bits unless --format says otherwise, as for WAV.
  ASSERT_EQ(
      RunTool("render --seconds 0.1 -o " + dir + "/default.flac").exitCode, 0);
  EXPECT_EQ(DecodeFlac(dir + "/default.flac").bits, 24u);
}

// "-o -": the WAV a file would hold, and nothing else, on the standard
// output; the summary goes to standard error.
TEST(OndivoxTool, TheStandardOutputCarriesTheWavAFileWouldHold) {
  const std::string dir = ScratchDir("stdout");
  for (const char* format : {"16", "f32"}) {
    SCOPED_TRACE(format);
    const std::string what = std::string("render --seconds 1 --set Wave=Saw --format ") + format;
    ToolRun file = RunTool(what + " -o " + dir + "/a.wav");
    ToolRun stream = RunTool(what + " -o -");
    ASSERT_EQ(file.exitCode, 0) << file.err;
    ASSERT_EQ(stream.exitCode, 0) << stream.err;
    const std::string wav = FileText(dir + "/a.wav");
    ASSERT_GT(wav.size(), 48000u * 4);
    EXPECT_TRUE(stream.outBytes == wav) << stream.outBytes.size() << " bytes against " << wav.size();
    EXPECT_EQ(CountLines(stream.err), 1) << stream.err;
    EXPECT_EQ(stream.err.rfind("wrote the standard output: 1.00 s, 48000 Hz, stereo, ", 0), 0u) << stream.err;
  }
  ToolRun quiet = RunTool("render --seconds 0.1 --quiet -o -");
  EXPECT_EQ(quiet.exitCode, 0);
  EXPECT_TRUE(quiet.err.empty()) << quiet.err;
  EXPECT_EQ(quiet.outBytes.size(), 44u + 4800 * 6);
}

TEST(OndivoxTool, SettingsByTitleTextOrIdAgree) {
  const std::string dir = ScratchDir("settings");
  ToolRun byText = RunTool("render --seconds 0.5 --set Wave=Saw --set 'Base Freq=440 Hz' --format f32 -o " +
                           dir + "/a.wav");
  ToolRun byId = RunTool("render --seconds 0.5 --set 3=2 --set 0=440 --format f32 -o " + dir + "/b.wav");
  ToolRun plain = RunTool("render --seconds 0.5 --format f32 -o " + dir + "/c.wav");
  ASSERT_EQ(byText.exitCode, 0) << byText.err;
  ASSERT_EQ(byId.exitCode, 0) << byId.err;
  ASSERT_EQ(plain.exitCode, 0) << plain.err;
  WavAudio a = Read(dir + "/a.wav"), b = Read(dir + "/b.wav"), c = Read(dir + "/c.wav");
  EXPECT_EQ(a.channels, b.channels);
  EXPECT_NE(a.channels, c.channels);
  // "Isochronic" names two parameters; the value decides which is meant.
  EXPECT_EQ(RunTool("render --seconds 0.1 --set Isochronic=Off -o " + dir + "/d.wav").exitCode, 0);
  EXPECT_EQ(RunTool("render --seconds 0.1 --set Isochronic=7.83 -o " + dir + "/d.wav").exitCode, 0);
}

// Every state the tool saves, bypassed ones too, is shown and rendered from.
TEST(OndivoxTool, StateSavedAndShownAndRenderedFrom) {
  const std::string dir = ScratchDir("state");
  const struct {
    const char* settings;
    std::streamoff bytes;
    const char* shown;
  } cases[] = {
      {"--program 3 --set Volume=42", 200, "Volume         42 %"},
      {"--program 3 --set Bypass=On", 208, "Bypass         On"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.settings);
    ToolRun save = RunTool(std::string("state save ") + c.settings + " -o " + dir + "/s.state");
    ASSERT_EQ(save.exitCode, 0) << save.err;
    std::ifstream file(dir + "/s.state", std::ios::binary | std::ios::ate);
    EXPECT_EQ(file.tellg(), c.bytes);

    ToolRun show = RunTool("state show " + dir + "/s.state");
    ASSERT_EQ(show.exitCode, 0) << show.err;
    EXPECT_NE(show.out.find(c.shown), std::string::npos) << show.out;

    ToolRun fromState = RunTool("render --seconds 0.5 --format f32 --state " + dir + "/s.state -o " + dir + "/a.wav");
    ToolRun direct =
        RunTool(std::string("render --seconds 0.5 --format f32 ") + c.settings + " -o " + dir + "/b.wav");
    ASSERT_EQ(fromState.exitCode, 0) << fromState.err;
    ASSERT_EQ(direct.exitCode, 0) << direct.err;
    EXPECT_EQ(Read(dir + "/a.wav").channels, Read(dir + "/b.wav").channels);
  }
}

TEST(OndivoxTool, InputIsMixedUnderTheTone) {
  const std::string dir = ScratchDir("input");
  WavAudio input;
  input.sampleRate = 48000.0;
  input.channels.assign(1, std::vector<double>(24000));
  for (std::size_t i = 0; i < 24000; ++i) input.channels[0][i] = 0.25 * std::sin(i * 0.01);
  std::string error;
  ASSERT_TRUE(WriteWav(dir + "/in.wav", input, WavFormat::kFloat64, &error)) << error;

  ToolRun mixed = RunTool("render --input " + dir + "/in.wav --format f64 -o " + dir + "/mixed.wav");
  ToolRun alone = RunTool("render --seconds 0.5 --format f64 -o " + dir + "/alone.wav");
  ASSERT_EQ(mixed.exitCode, 0) << mixed.err;
  ASSERT_EQ(alone.exitCode, 0) << alone.err;
  WavAudio m = Read(dir + "/mixed.wav"), a = Read(dir + "/alone.wav");
  ASSERT_EQ(m.Frames(), 24000u);  // the input's length
  for (int side = 0; side < 2; ++side)
    for (std::size_t i = 0; i < 24000; i += 97)
      ASSERT_NEAR(m.channels[side][i] - a.channels[side][i], input.channels[0][i], 1e-9) << side << " " << i;
}

namespace {

// A WAV header with each field as given, for headers that are wrong.
struct Header {
  const char* riff = "RIFF";
  uint32_t fmtSize = 16;
  uint16_t tag = 1;
  uint16_t channels = 2;
  uint32_t rate = 48000;
  uint16_t bits = 16;
  int blockAlign = -1;  // channels * bits / 8 when -1
  bool hasFormat = true, hasData = true;
  bool hasDs64 = false;
  uint64_t ds64DataBytes = 0;  // the ds64 chunk's data length
  uint32_t dataClaimed = 400;  // the data chunk's size field
  uint32_t dataPresent = 400;  // bytes of audio that follow
};

void Le(std::string& to, uint64_t x, int bytes) {
  for (int i = 0; i < bytes; ++i) to += static_cast<char>(x >> (8 * i));
}

std::string WriteHeader(const std::string& path, const Header& h) {
  std::string v = std::string(h.riff, 4) + "\xFF\xFF\xFF\x7F" + "WAVE";
  if (h.hasDs64) {
    v += "ds64";
    Le(v, 28, 4);
    Le(v, 0, 8);  // the RIFF size
    Le(v, h.ds64DataBytes, 8);
    Le(v, 0, 8);  // the sample count
    Le(v, 0, 4);  // no table
  }
  if (h.hasFormat) {
    std::string fmt;
    Le(fmt, h.tag, 2);
    Le(fmt, h.channels, 2);
    Le(fmt, h.rate, 4);
    Le(fmt, static_cast<uint64_t>(h.rate) * h.channels * h.bits / 8, 4);
    Le(fmt, h.blockAlign >= 0 ? h.blockAlign : h.channels * h.bits / 8, 2);
    Le(fmt, h.bits, 2);
    fmt.resize(h.fmtSize, '\0');
    v += "fmt ";
    Le(v, h.fmtSize, 4);
    v += fmt;
  }
  if (h.hasData) {
    v += "data";
    Le(v, h.dataClaimed, 4);
    v += std::string(h.dataPresent, '\0');
  }
  std::ofstream(path, std::ios::binary) << v;
  return path;
}

}  // namespace

// Every way a command can fail: the exit code, the one line that says why,
// and the files left: an earlier output is untouched and nothing is added.
TEST(OndivoxTool, FailuresSayWhyAndLeaveTheFilesAsTheyWere) {
  const std::string dir = ScratchDir("errors");
  const std::string out = dir + "/out.wav", o = " -o " + out;
  std::ofstream(dir + "/junk.wav") << "not a wav file";
  std::ofstream(dir + "/short.state") << "12345";
  const std::string good = WriteHeader(dir + "/good.wav", Header());
  struct Case {
    std::string args;
    int exitCode;
    std::string says;
  };
  // Inputs one field off a good header, refused before anything is rendered.
  struct BadInput {
    const char* name;
    void (*change)(Header&);
    const char* says;
  };
  const BadInput inputs[] = {
      {"nofmt.wav", [](Header& h) { h.hasFormat = false; }, "nofmt.wav: no format chunk"},
      {"fmt14.wav", [](Header& h) { h.fmtSize = 14; }, "fmt14.wav: the format chunk is too short (14 bytes)"},
      {"mp3.wav", [](Header& h) { h.tag = 0x55; }, "mp3.wav: encoding 0x0055 is neither PCM nor floating point"},
      {"ch0.wav", [](Header& h) { h.channels = 0; }, "ch0.wav has no channels"},
      {"ch6.wav", [](Header& h) { h.channels = 6; }, "ch6.wav has 6 channels; only mono or stereo can be mixed in"},
      {"rate4g.wav", [](Header& h) { h.rate = 4294967295u; }, "rate4g.wav claims a rate of 4294967295 Hz"},
      {"rate0.wav", [](Header& h) { h.rate = 0; }, "rate0.wav claims a rate of 0 Hz"},
      {"pcm12.wav", [](Header& h) { h.bits = 12; }, "pcm12.wav: 12-bit PCM is not supported"},
      {"float16.wav", [](Header& h) { h.tag = 3; }, "float16.wav: 16-bit floating point is not supported"},
      {"align.wav", [](Header& h) { h.blockAlign = 3; },
       "a block align of 3 bytes does not fit 2 channels of 16 bits"},
      {"ext18.wav", [](Header& h) { h.tag = 0xFFFE, h.fmtSize = 18; },
       "the extensible format chunk is too short (18 bytes)"},
      {"nodata.wav", [](Header& h) { h.hasData = false; }, "nodata.wav: no data chunk"},
      {"rf64.wav", [](Header& h) { h.riff = "RF64", h.dataClaimed = 0xFFFFFFFFu; },
       "rf64.wav: an RF64 file without its ds64 chunk"},
      // A data length that would wrap the chunk walk back to the start.
      {"wrap.wav",
       [](Header& h) {
         h.riff = "RF64", h.hasDs64 = true, h.ds64DataBytes = ~0ull - 43, h.hasFormat = false;
         h.dataClaimed = 0xFFFFFFFFu;
       },
       "wrap.wav: no format chunk"},
      {"early.wav", [](Header& h) { h.dataClaimed = 192000; },
       "early.wav ends early: its header promises 192000 bytes of audio, the file holds 400"},
  };
  std::vector<Case> cases;
  for (const BadInput& bad : inputs) {
    Header h;
    bad.change(h);
    cases.push_back({"render --input " + WriteHeader(dir + "/" + bad.name, h) + o, 1, bad.says});
  }
  const Case more[] = {
      {"render --input " + dir + "/missing.wav" + o, 1, "cannot read " + dir + "/missing.wav: "},
      {"render --input " + dir + "/junk.wav" + o, 1, dir + "/junk.wav is not a WAV, RF64, FLAC, Ogg Vorbis or MP3 file"},
      // Where the output goes.
      {"render --seconds 1 -o " + dir + "/none/out.wav", 1, "cannot write " + dir + "/none/out.wav: "},
      {"render --seconds 1 -o " + dir, 1, "cannot write " + dir + ": it is a folder"},
      // The plug-in's programs, parameters and state.
      {"render --program 'No Such Program'" + o, 1, "no program named"},
      {"render --program 150" + o, 1, "no program 150"},
      {"render --set Nothing=1" + o, 1, "'Nothing' is not a parameter"},
      {"render --set Volume=101" + o, 1, "outside"},
      {"render --set Wave=Noise" + o, 1, "bad value for Wave"},
      {"render --set Isochronic=1" + o, 1, "more than one"},
      {"render --state " + dir + "/short.state" + o, 1, "not a state file (5 bytes, expected 200, or 208 saved while bypassed)"},
      {"state show " + dir + "/short.state", 1, "not a state file"},
      {"render --bundle " + dir + o, 1, "cannot load"},
      // The command line itself.
      {"render --seconds ''" + o, 2, "--seconds: '' is not a number"},
      {"render --seconds ten" + o, 2, "--seconds: 'ten' is not a number"},
      {"render --seconds 0.00001" + o, 2, "--seconds: 0.00001 is less than one frame at 48000 Hz"},
      {"render --seconds -1" + o, 2, "--seconds: -1 is out of range"},
      {"render --seconds 86401" + o, 2, "--seconds: 86401 is out of range"},
      {"render --rate 44100.5" + o, 2, "--rate: 44100.5 is not a whole number of Hz"},
      {"render --rate 800000" + o, 2, "--rate: 800000 is out of range"},
      {"render --format 12" + o, 2, "--format: '12' is not 16, 24, f32, f64, flac16 or flac24"},
      {"render --format flac32" + o, 2, "--format: 'flac32' is not 16, 24, f32, f64, flac16 or flac24"},
      // The format and the output's name disagree.
      {"render --format f32 -o " + dir + "/out.flac", 2,
       "--format f32: FLAC holds 16- or 24-bit samples; name the file .wav for floating point"},
      {"render --format f64 -o " + dir + "/OUT.Flac", 2, "--format f64: FLAC holds 16- or 24-bit samples"},
      {"render --format flac24" + o, 2, "--format flac24 writes FLAC, but " + out + " is named as a WAV file"},
      {"render --format flac16 -o -", 2, "--format flac16: -o - is a WAV stream; FLAC needs a file name"},
      {"render --seconds 1 -o " + dir + "/none/out.flac", 1, "cannot write " + dir + "/none/out.flac: "},
      {"render --quiet=yes" + o, 2, "--quiet takes no value"},
      {"render --frob 1" + o, 2, "unknown option --frob (see ondivox render --help)"},
      {"state save --seconds 1" + o, 2, "unknown option --seconds (see ondivox state save --help)"},
      {"render --seconds 1", 2, "needs -o"},
      {"help frobnicate", 2, "no command 'frobnicate' (see ondivox --help)"},
      {"frobnicate", 2, "unknown command 'frobnicate' (see ondivox --help)"},
      // A player's command line, refused before any device is looked for.
      {"play --latency 0", 2, "--latency: 0 is out of range"},
      {"play --latency 2001", 2, "--latency: 2001 is out of range"},
      {"play" + o, 2, "unknown option -o (see ondivox play --help)"},
      {"play now", 2, "unexpected argument 'now'"},
      {"devices --device 1", 2, "unknown option --device (see ondivox devices --help)"},
  };
  cases.insert(cases.end(), std::begin(more), std::end(more));
  for (const Case& c : cases) ExpectFailure(c.args, c.exitCode, c.says, out);
}

TEST(OndivoxTool, HelpGoesToStandardOutput) {
  struct Case {
    std::string args, shows;
  };
  const Case cases[] = {
      {"--help", "ondivox state save"},   {"help", "ondivox render"},
      {"help render", "  --seconds S"},  {"render --help", "  --input IN.wav"},
      {"state save --help", "  -o FILE"}, {"help state", "ondivox state show"},
      {"help snapshot", "--click X,Y"},   {"help session", "ondivox session show"},
      {"render --help", "--session FILE"}, {"help play", "  --device N|NAME"},
      {"play --help", "  --latency MS"},  {"help devices", "ondivox devices"},
  };
  for (const Case& c : cases) {
    ToolRun run = RunTool(c.args);
    EXPECT_EQ(run.exitCode, 0) << c.args;
    EXPECT_EQ(run.out.rfind("usage:\n", 0), 0u) << c.args << "\n" << run.out;
    EXPECT_NE(run.out.find(c.shows), std::string::npos) << c.args << "\n" << run.out;
    EXPECT_TRUE(run.err.empty()) << c.args << "\n" << run.err;
  }
  // Without a command: the usage, as a mistake.
  ToolRun bare = RunTool("");
  EXPECT_EQ(bare.exitCode, 2);
  EXPECT_NE(bare.err.find("ondivox render"), std::string::npos);
}

// Whatever the machine offers (a sound card, wine's devices, or nothing at
// all), the list comes at once: a line per device, or one that says there is none.
TEST(OndivoxTool, DevicesListsTheOutputsOrSaysThereIsNone) {
  ToolRun run = RunTool("devices");
  EXPECT_EQ(run.exitCode, 0) << run.err;
  if (run.out == "no audio output devices\n") return;
  ASSERT_GT(CountLines(run.out), 0) << run.out;
  for (std::size_t at = 0, end; (end = run.out.find('\n', at)) != std::string::npos; at = end + 1)
    EXPECT_NE(run.out.substr(at, end - at).find(" Hz"), std::string::npos) << run.out;
}

// A full pan at Volume 100 passes full scale by the pan law: 24-bit output
// saturates and says how often; floating point keeps the peak and says so.
TEST(OndivoxTool, ClippingIsCountedAndReported) {
  const std::string dir = ScratchDir("clipping");
  const std::string loud = "render --seconds 1 --set Pan=100 --set Volume=100 ";
  ToolRun pcm = RunTool(loud + "-o " + dir + "/a.wav");
  ToolRun flt = RunTool(loud + "--format f64 -o " + dir + "/b.wav");
  ToolRun flac = RunTool(loud + "-o " + dir + "/a.flac");
  ToolRun quiet = RunTool("render --seconds 1 --quiet -o " + dir + "/c.wav");
  ASSERT_EQ(pcm.exitCode, 0) << pcm.err;
  ASSERT_EQ(flac.exitCode, 0) << flac.err;
  ASSERT_EQ(flt.exitCode, 0) << flt.err;
  ASSERT_EQ(quiet.exitCode, 0) << quiet.err;

  WavAudio exact = Read(dir + "/b.wav");
  std::size_t over = 0;
  for (const auto& ch : exact.channels)
    for (double x : ch) over += std::fabs(x) > 1.0;
  ASSERT_GT(over, 0u);
  char says[512];
  std::snprintf(says, sizeof says, "ondivox: %s/a.wav: %zu samples clipped, peak %+.1f dBFS\n", dir.c_str(), over,
                20 * std::log10(Peak(exact)));
  EXPECT_EQ(pcm.err, says);
  std::snprintf(says, sizeof says, "ondivox: %s/a.flac: %zu samples clipped, peak %+.1f dBFS\n", dir.c_str(), over,
                20 * std::log10(Peak(exact)));
  EXPECT_EQ(flac.err, says);
  EXPECT_NE(std::string(says).find("peak +6.0 dBFS"), std::string::npos);
  EXPECT_NE(flt.err.find("b.wav: peak +6.0 dBFS, above full scale (kept in floating point)"), std::string::npos)
      << flt.err;
  EXPECT_DOUBLE_EQ(Peak(Read(dir + "/a.wav")), 1.0 * 8388607 / 8388608);
  // Default settings stay inside full scale: nothing to say, and --quiet says nothing at all.
  EXPECT_TRUE(quiet.out.empty()) << quiet.out;
  EXPECT_TRUE(quiet.err.empty()) << quiet.err;
}

TEST(OndivoxTool, InputSamplesThatAreNotNumbersAreMixedAsSilence) {
  const std::string dir = ScratchDir("nonfinite");
  WavAudio input;
  input.sampleRate = 48000.0;
  input.channels.assign(2, std::vector<double>(4800, 0.1));
  std::string error;
  ASSERT_TRUE(WriteWav(dir + "/in.wav", input, WavFormat::kFloat32, &error)) << error;
  // Our writer keeps such samples out of its files: another program's are patched in.
  std::fstream file(dir + "/in.wav", std::ios::in | std::ios::out | std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  const std::size_t data = bytes.find("data");
  ASSERT_NE(data, std::string::npos);
  const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
  for (const auto& [frame, channel, value] : {std::tuple{100, 0, nan}, std::tuple{200, 1, inf}}) {
    file.seekp(static_cast<std::streamoff>(data + 8 + (frame * 2 + channel) * 4));
    file.write(reinterpret_cast<const char*>(&value), 4);
  }
  file.close();
  ToolRun mixed = RunTool("render --input " + dir + "/in.wav --format f64 -o " + dir + "/mixed.wav");
  ToolRun alone = RunTool("render --seconds 0.1 --format f64 -o " + dir + "/alone.wav");
  ASSERT_EQ(mixed.exitCode, 0) << mixed.err;
  ASSERT_EQ(alone.exitCode, 0) << alone.err;
  EXPECT_NE(mixed.err.find("in.wav: 2 samples were not finite numbers; they were mixed as silence"),
            std::string::npos)
      << mixed.err;
  WavAudio m = Read(dir + "/mixed.wav"), a = Read(dir + "/alone.wav");
  EXPECT_EQ(m.channels[0][100], a.channels[0][100]);
  EXPECT_EQ(m.channels[1][200], a.channels[1][200]);
  EXPECT_NEAR(m.channels[0][101] - a.channels[0][101], 0.1, 1e-7);
}

// The progress line is for a person at a terminal: never in a pipe or a file.
TEST(OndivoxTool, ProgressOnlyOnATerminal) {
  const std::string dir = ScratchDir("progress");
  ToolRun piped = RunTool("render --seconds 600 -o " + dir + "/a.wav");
  ASSERT_EQ(piped.exitCode, 0) << piped.err;
  EXPECT_TRUE(piped.err.empty()) << piped.err;
  if (std::system("command -v script >/dev/null 2>&1") != 0) GTEST_SKIP() << "no script(1) to make a terminal";
  // script(1) runs the tool on a terminal of its own and copies what was drawn.
  // The line shows from the start, however fast the render.
  const std::string command = "ONDIVOX_PROGRESS_AFTER=0 script -qec \"'" + std::string(ONDIVOX_TOOL_PATH) +
                              "' render --seconds 600 -o " +
                              dir + "/b.wav\" /dev/null >" + dir + "/tty.txt";
  ASSERT_EQ(std::system(command.c_str()), 0);
  const std::string drawn = FileText(dir + "/tty.txt");
  EXPECT_NE(drawn.find("x real time"), std::string::npos) << drawn;
  EXPECT_NE(drawn.find("elapsed"), std::string::npos);
  EXPECT_NE(drawn.find("left"), std::string::npos);
}
