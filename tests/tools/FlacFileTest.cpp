// FLAC files written block by block, decoded back with libFLAC.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "FileScratch.h"
#include "FlacDecode.h"
#include "tools/files/PendingFile.h"
#include "tools/flac/FlacWriter.h"
#include "tools/wav/SampleCodec.h"

namespace {

std::string Scratch(const std::string& name) { return FileScratch("flac", name); }

// A sweep past full scale on channel 0, so clipping is met, and a sample that is not a number.
std::vector<std::vector<double>> Signal(int channels, std::size_t frames) {
  std::vector<std::vector<double>> s(channels, std::vector<double>(frames));
  for (int c = 0; c < channels; ++c)
    for (std::size_t i = 0; i < frames; ++i) s[c][i] = std::sin(0.003 * i + c) * (c ? 0.7 : 1.2);
  s[0][17] = std::numeric_limits<double>::quiet_NaN();
  return s;
}

}  // namespace

// The samples of a WAV file of the same depth, exactly, across several of
// the writer's pieces given in uneven blocks; clipping is met and counted
// as the WAV encoder counts it.
TEST(FlacFile, DecodesToTheSamplesAWavFileOfThatDepthHolds) {
  const std::string dir = Scratch("roundtrip");
  const std::size_t frames = 2 * EncoderThread::kPieceFrames + 4099;
  for (WavFormat format : {WavFormat::kPcm16, WavFormat::kPcm24})
    for (int channels : {1, 2}) {
      SCOPED_TRACE(std::string(WavFormatName(format)) + " " + std::to_string(channels));
      const WavLayout layout = LayoutOf(format, channels, 44100);
      const auto signal = Signal(channels, frames);
      const std::string path = dir + "/a.flac";
      std::string error;
      PendingFile out;
      FlacWriter writer;
      ASSERT_TRUE(out.Open(path, &error) && writer.Begin(&out.File(), path, layout, frames, &error)) << error;
      for (std::size_t done = 0, block = 1; done < frames; done += block, block = block * 3 + 1) {
        block = std::min(block, frames - done);
        const double* from[2] = {signal[0].data() + done, channels > 1 ? signal[1].data() + done : nullptr};
        ASSERT_TRUE(writer.Write(from, block, &error)) << error;
      }
      ASSERT_TRUE(writer.Finish(&error) && out.Commit(&error)) << error;

      const FlacAudio decoded = DecodeFlac(path);
      ASSERT_TRUE(decoded.ok) << decoded.error;
      EXPECT_EQ(decoded.rate, 44100u);
      EXPECT_EQ(decoded.bits, static_cast<uint32_t>(layout.bits));
      EXPECT_EQ(decoded.totalSamples, frames);
      ASSERT_EQ(decoded.channels.size(), static_cast<std::size_t>(channels));
      SampleStats wavStats;
      for (int c = 0; c < channels; ++c) {
        std::vector<int32_t> expected(frames);
        QuantizeSamples(signal[c].data(), frames, layout.bits, expected.data(), &wavStats);
        ASSERT_EQ(decoded.channels[c], expected) << "channel " << c;
      }
      EXPECT_GT(writer.Stats().clipped, 0u);
      EXPECT_EQ(writer.Stats().clipped, wavStats.clipped);
      EXPECT_EQ(writer.Stats().peak, wavStats.peak);
    }
}

// Every rate the tool renders at, inside libFLAC's streamable subset or not.
TEST(FlacFile, EveryRateTheToolRendersIsWritten) {
  const std::string dir = Scratch("rates");
  const std::size_t frames = 5000;
  const auto signal = Signal(2, frames);
  const double* from[2] = {signal[0].data(), signal[1].data()};
  for (uint32_t rate : {1u, 8000u, 65537u, 96001u, 655351u, 768000u}) {
    SCOPED_TRACE(rate);
    const std::string path = dir + "/a.flac";
    std::string error;
    PendingFile out;
    FlacWriter writer;
    ASSERT_TRUE(out.Open(path, &error) &&
                writer.Begin(&out.File(), path, LayoutOf(WavFormat::kPcm16, 2, rate), frames, &error) &&
                writer.Write(from, frames, &error) && writer.Finish(&error) && out.Commit(&error))
        << error;
    const FlacAudio decoded = DecodeFlac(path);
    ASSERT_TRUE(decoded.ok) << decoded.error;
    EXPECT_EQ(decoded.rate, rate);
    EXPECT_EQ(decoded.totalSamples, frames);
  }
}

TEST(FlacFile, RefusesWhatItCannotHoldAndReportsTheFilesReasons) {
  const std::string dir = Scratch("errors");
  std::string error;
  BinaryFile file;
  ASSERT_TRUE(file.OpenWrite(dir + "/a.flac"));
  for (WavFormat format : {WavFormat::kFloat32, WavFormat::kFloat64}) {
    FlacWriter writer;
    EXPECT_FALSE(writer.Begin(&file, "a.flac", LayoutOf(format, 2, 48000), 100, &error));
    EXPECT_EQ(error.rfind("cannot write a.flac: FLAC holds 16- or 24-bit samples, not ", 0), 0u) << error;
  }
  // A file open for reading only: the encoder's first write fails, and says so.
  ASSERT_TRUE(file.Close());
  BinaryFile readOnly;
  ASSERT_TRUE(readOnly.OpenRead(dir + "/a.flac"));
  FlacWriter writer;
  EXPECT_FALSE(writer.Begin(&readOnly, "a.flac", LayoutOf(WavFormat::kPcm24, 2, 48000), 100, &error));
  EXPECT_EQ(error.rfind("cannot write a.flac: ", 0), 0u) << error;
  EXPECT_EQ(error.find("encoder"), std::string::npos) << "the system's reason, not the encoder's: " << error;
  // Nothing begun: nothing written.
  const double* none[2] = {nullptr, nullptr};
  FlacWriter idle;
  EXPECT_FALSE(idle.Write(none, 0, &error));
  EXPECT_FALSE(idle.Finish(&error));
}
