// WAV and RF64 files written and read block by block.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>

#include "FileScratch.h"
#include "tools/files/PendingFile.h"
#include "tools/wav/SampleCodec.h"
#include "tools/wav/WavFile.h"
#include "tools/wav/WavReader.h"
#include "tools/wav/WavWriter.h"

namespace {

namespace fs = std::filesystem;

std::string Scratch(const std::string& name) { return FileScratch("wav", name); }

std::vector<uint8_t> Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

WavAudio Ramp(int channels, std::size_t frames, double rate) {
  WavAudio audio;
  audio.sampleRate = rate;
  audio.channels.assign(channels, std::vector<double>(frames));
  for (int c = 0; c < channels; ++c)
    for (std::size_t i = 0; i < frames; ++i) audio.channels[c][i] = std::sin(0.01 * i + c) * (c ? -0.9 : 1.0);
  return audio;
}

}  // namespace

TEST(WavFile, EveryFormatReadsBackWithinItsResolution) {
  const std::string dir = Scratch("roundtrip");
  struct Case {
    WavFormat format;
    double tolerance;
  };
  // Written at 32767 steps to full scale, read at 32768, as before: two steps of slack.
  const Case cases[] = {{WavFormat::kPcm16, 2.0 / 32767}, {WavFormat::kPcm24, 2.0 / 8388607},
                        {WavFormat::kFloat32, 1e-7}, {WavFormat::kFloat64, 0.0}};
  for (const Case& c : cases)
    for (int channels : {1, 2}) {
      SCOPED_TRACE(std::string(WavFormatName(c.format)) + " " + std::to_string(channels));
      // An odd length: a mono 24-bit file needs its pad byte.
      WavAudio in = Ramp(channels, 3001, 44100.0), out;
      std::string path = dir + "/a.wav", error;
      ASSERT_TRUE(WriteWav(path, in, c.format, &error)) << error;
      EXPECT_EQ(fs::file_size(path), WavWriter::FileBytes(LayoutOf(c.format, channels, 44100), 3001));
      ASSERT_TRUE(ReadWav(path, &out, &error)) << error;
      EXPECT_EQ(out.sampleRate, 44100.0);
      ASSERT_EQ(out.channels.size(), in.channels.size());
      for (int ch = 0; ch < channels; ++ch)
        for (std::size_t i = 0; i < in.Frames(); ++i)
          ASSERT_NEAR(out.channels[ch][i], in.channels[ch][i], c.tolerance) << ch << " " << i;
    }
}

// Samples that are not finite numbers (a plug-in fault) are written as silence in
// every format, and neither clip nor set the peak; the last one goes through the
// scalar tail of the two-at-a-time path.
TEST(WavFile, PcmSaturatesAndCountsWhatItClipsFloatKeepsIt) {
  const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
  const double samples[] = {0.5, 1.0, 1.5, -2.0, -1.0, 0.0, nan, inf, -inf};
  constexpr int kCount = 9;
  const double* channels[] = {samples};
  uint8_t bytes[kCount * 8];
  SampleStats pcm;
  EncodeFrames(channels, kCount, LayoutOf(WavFormat::kPcm16, 1, 48000), bytes, &pcm);
  EXPECT_EQ(pcm.clipped, 2u);
  EXPECT_DOUBLE_EQ(pcm.peak, 2.0);
  const int16_t expected[kCount] = {16384, 32767, 32767, -32767, -32767, 0, 0, 0, 0};
  for (int i = 0; i < kCount; ++i)
    EXPECT_EQ(static_cast<int16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8), expected[i]) << i;

  SampleStats flt;
  EncodeFrames(channels, kCount, LayoutOf(WavFormat::kFloat32, 1, 48000), bytes, &flt);
  EXPECT_EQ(flt.clipped, 0u);
  EXPECT_DOUBLE_EQ(flt.peak, 2.0);
  float written[kCount];
  std::memcpy(written, bytes, sizeof written);
  EXPECT_EQ(written[2], 1.5f);
  for (int i = 6; i < kCount; ++i) EXPECT_EQ(written[i], 0.0f) << i;
}

// Files as other programs write them: chunks in any order, the extensible
// format chunk, 8 and 32-bit PCM, samples that are not numbers.
TEST(WavFile, ReadsWhatOtherProgramsWrite) {
  const std::string dir = Scratch("foreign");
  auto le = [](std::vector<uint8_t>& v, uint64_t x, int n) {
    for (int i = 0; i < n; ++i) v.push_back(static_cast<uint8_t>(x >> (8 * i)));
  };
  auto chunk = [&](const char* id, const std::vector<uint8_t>& body) {
    std::vector<uint8_t> v(id, id + 4);
    le(v, body.size(), 4);
    v.insert(v.end(), body.begin(), body.end());
    if (body.size() & 1) v.push_back(0);
    return v;
  };
  auto fmt = [&](uint16_t tag, uint16_t channels, uint16_t bits, bool extensible) {
    std::vector<uint8_t> v;
    le(v, extensible ? 0xFFFE : tag, 2);
    le(v, channels, 2);
    le(v, 8000, 4);
    le(v, 8000 * channels * bits / 8, 4);
    le(v, channels * bits / 8, 2);
    le(v, bits, 2);
    if (extensible) {
      const uint8_t tail[] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
      le(v, 22, 2);
      le(v, bits, 2);
      le(v, 3, 4);  // speaker positions
      le(v, tag, 2);
      v.insert(v.end(), tail, tail + sizeof tail);
    }
    return chunk("fmt ", v);
  };
  auto file = [&](const std::string& name, const std::vector<std::vector<uint8_t>>& chunks) {
    std::vector<uint8_t> body = {'W', 'A', 'V', 'E'};
    for (const auto& c : chunks) body.insert(body.end(), c.begin(), c.end());
    std::vector<uint8_t> v = {'R', 'I', 'F', 'F'};
    le(v, body.size(), 4);
    v.insert(v.end(), body.begin(), body.end());
    std::string path = dir + "/" + name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(v.data()), v.size());
    return path;
  };
  std::vector<uint8_t> pcm8 = {0x80, 0xC0, 0x00, 0xFF, 0x40};  // odd: padded
  std::vector<uint8_t> pcm32;
  le(pcm32, 0x40000000, 4);
  le(pcm32, 0xC0000000, 4);
  std::vector<uint8_t> floats;
  const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
  for (double d : {0.25, nan, -inf, -0.5}) {
    uint64_t bits;
    std::memcpy(&bits, &d, 8);
    le(floats, bits, 8);
  }
  struct Case {
    std::string name, path;
    std::vector<double> left, right;
    uint64_t nonFinite;
  };
  const std::vector<uint8_t> list = chunk("LIST", {'I', 'N', 'F', 'O', 'x'});
  const Case cases[] = {
      {"8-bit, a LIST chunk first", file("8.wav", {list, fmt(1, 1, 8, false), chunk("data", pcm8)}),
       {0.0, 0.5, -1.0, 127 / 128.0, -0.5}, {}, 0},
      {"32-bit stereo, extensible, data before fmt", file("32.wav", {chunk("data", pcm32), fmt(1, 2, 32, true)}),
       {0.5}, {-0.5}, 0},
      {"64-bit float with samples that are not numbers", file("f64.wav", {fmt(3, 2, 64, true), chunk("data", floats)}),
       {0.25, 0.0}, {0.0, -0.5}, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WavReader reader;
    std::string error;
    ASSERT_TRUE(reader.Open(c.path, &error)) << error;
    ASSERT_EQ(reader.Frames(), c.left.size());
    std::vector<double> left(c.left.size()), right(c.left.size());
    double* to[] = {left.data(), right.data()};
    std::size_t got = 0;
    ASSERT_TRUE(reader.Read(to, c.left.size() + 10, &got, &error)) << error;
    EXPECT_EQ(got, c.left.size());
    EXPECT_EQ(left, c.left);
    if (!c.right.empty()) {
      EXPECT_EQ(right, c.right);
    }
    EXPECT_EQ(reader.NonFiniteSamples(), c.nonFinite);
    EXPECT_TRUE(reader.Read(to, 1, &got, &error));
    EXPECT_EQ(got, 0u);
  }
}

// A file cut short after its header was read (a recording still being
// copied, say) is an error, not silence.
TEST(WavFile, AFileThatShrinksWhileReadIsAnError) {
  const std::string dir = Scratch("shrinks");
  const std::string path = dir + "/in.wav";
  std::string error;
  ASSERT_TRUE(WriteWav(path, Ramp(2, 1000, 48000.0), WavFormat::kPcm16, &error)) << error;
  WavReader reader;
  ASSERT_TRUE(reader.Open(path, &error)) << error;
  fs::resize_file(path, 44 + 400 * 4);
  std::vector<double> left(1000), right(1000);
  double* to[] = {left.data(), right.data()};
  std::size_t got = 0;
  EXPECT_FALSE(reader.Read(to, 1000, &got, &error));
  EXPECT_EQ(error, path + " ended early, after 400 of 1000 frames");
}

// The form is chosen from the planned length: a file that may pass 4 GiB is
// RF64 from its first byte, and reads back as such.
TEST(WavFile, RF64WhenThePlannedLengthPassesAPlainWav) {
  const std::string dir = Scratch("rf64");
  const WavLayout layout = LayoutOf(WavFormat::kPcm16, 2, 48000);
  const uint64_t plainMost = (0xFFFFFFFFull - 36) / 4;  // frames of 4 bytes a plain WAV can hold
  EXPECT_EQ(WavWriter::FileBytes(layout, plainMost), 44 + plainMost * 4);
  EXPECT_EQ(WavWriter::FileBytes(layout, plainMost + 1), 80 + (plainMost + 1) * 4);

  for (uint64_t planned : {plainMost, plainMost + 1}) {
    WavAudio in = Ramp(2, 100, 48000.0);
    const double* channels[] = {in.channels[0].data(), in.channels[1].data()};
    PendingFile out;
    WavWriter writer;
    std::string path = dir + "/a.wav", error;
    ASSERT_TRUE(out.Open(path, &error) && writer.Begin(&out.File(), path, layout, planned, &error) &&
                writer.Write(channels, 100, &error) && writer.Finish(&error) && out.Commit(&error))
        << error;
    EXPECT_EQ(writer.IsRf64(), planned > plainMost);
    std::vector<uint8_t> bytes = Bytes(path);
    ASSERT_EQ(bytes.size(), WavWriter::FileBytes(layout, 100) + (writer.IsRf64() ? 36 : 0));
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), writer.IsRf64() ? "RF64" : "RIFF");
    WavReader reader;
    ASSERT_TRUE(reader.Open(path, &error)) << error;
    EXPECT_EQ(reader.IsRf64(), writer.IsRf64());
    EXPECT_EQ(reader.Frames(), 100u);
  }
}

// A stream cannot be rewound: its header is written first, for the planned
// length, and is what a file of that length would hold; past 4 GiB its sizes
// say "to the end of the stream". It takes exactly the frames planned.
TEST(WavFile, AStreamsHeaderGivesThePlannedLengthUpFront) {
  const std::string dir = Scratch("stream");
  const WavLayout layout = LayoutOf(WavFormat::kPcm24, 2, 48000);
  const WavAudio in = Ramp(2, 100, 48000.0);
  const double* channels[] = {in.channels[0].data(), in.channels[1].data()};
  std::string error;
  ASSERT_TRUE(WriteWav(dir + "/file.wav", in, WavFormat::kPcm24, &error)) << error;

  auto streamed = [&](uint64_t planned, std::size_t given, std::string* why) {
    BinaryFile file;
    WavWriter writer(WavWriter::Target::kStream);
    const bool ok = file.OpenWrite(dir + "/stream.wav") &&
                    writer.Begin(&file, "the stream", layout, planned, why) &&
                    writer.Write(channels, given, why) && writer.Finish(why);
    file.Close();
    return ok;
  };
  ASSERT_TRUE(streamed(100, 100, &error)) << error;
  EXPECT_EQ(Bytes(dir + "/stream.wav"), Bytes(dir + "/file.wav"));

  const uint64_t fiveGiB = (5ull << 30) / 6;
  EXPECT_FALSE(streamed(fiveGiB, 100, &error));
  EXPECT_EQ(error, "cannot write the stream: the stream ended after 100 of " + std::to_string(fiveGiB) + " frames");
  const std::vector<uint8_t> head = Bytes(dir + "/stream.wav");
  ASSERT_GE(head.size(), 44u);
  EXPECT_EQ(std::string(head.begin(), head.begin() + 4), "RIFF");
  const std::vector<uint8_t> unknown(4, 0xFF);
  EXPECT_EQ(std::vector<uint8_t>(head.begin() + 4, head.begin() + 8), unknown);
  EXPECT_EQ(std::string(head.begin() + 36, head.begin() + 40), "data");
  EXPECT_EQ(std::vector<uint8_t>(head.begin() + 40, head.begin() + 44), unknown);
  // Saved, such a stream reads back as running to the end of the file.
  WavReader saved;
  ASSERT_TRUE(saved.Open(dir + "/stream.wav", &error)) << error;
  EXPECT_EQ(saved.Frames(), 100u);

  EXPECT_FALSE(streamed(50, 100, &error));
  EXPECT_EQ(error, "cannot write the stream: more than the 50 frames planned");
}

// The first block read through the reader, the last one where the header says the data ends.
void ExpectTheEnds(const std::string& path, const WavLayout& layout, uint64_t frames, const WavAudio& head,
                   const WavAudio& tail) {
  const std::size_t edge = head.Frames();
  WavReader reader;
  std::string error;
  ASSERT_TRUE(reader.Open(path, &error)) << error;
  EXPECT_TRUE(reader.IsRf64());
  EXPECT_EQ(reader.Frames(), frames);
  EXPECT_EQ(reader.Layout().bits, 24);

  std::vector<double> left(edge), right(edge);
  double* to[] = {left.data(), right.data()};
  std::size_t got = 0;
  ASSERT_TRUE(reader.Read(to, edge, &got, &error)) << error;
  for (std::size_t i = 0; i < edge; i += 7) ASSERT_NEAR(left[i], head.channels[0][i], 2.0 / 8388607) << i;

  std::ifstream in(path, std::ios::binary);
  in.seekg(static_cast<std::streamoff>(fs::file_size(path) - edge * 6));
  std::vector<uint8_t> bytes(edge * 6);
  in.read(reinterpret_cast<char*>(bytes.data()), bytes.size());
  ASSERT_TRUE(in);
  EXPECT_EQ(DecodeFrames(bytes.data(), edge, layout, to), 0u);
  for (std::size_t i = 0; i < edge; i += 7) {
    ASSERT_NEAR(left[i], tail.channels[0][i], 2.0 / 8388607) << i;
    ASSERT_NEAR(right[i], tail.channels[1][i], 2.0 / 8388607) << i;
  }
}

// Past 4 GiB for real, without writing 4 GB: the silence in the middle is a
// hole in a sparse file, so only the first and last blocks take disk.
TEST(WavFile, RF64PastFourGibibytesHoldsItsSizesAndItsLastBlock) {
  const std::string dir = Scratch("rf64big");
  const WavLayout layout = LayoutOf(WavFormat::kPcm24, 2, 48000);
  const uint64_t frames = (5ull << 30) / 6;  // 5 GiB of 24-bit stereo
  const std::size_t edge = 4800;
  WavAudio head = Ramp(2, edge, 48000.0), tail = Ramp(2, edge, 48000.0);
  for (auto& ch : tail.channels)
    for (double& x : ch) x = -x * 0.5;
  const double* headCh[] = {head.channels[0].data(), head.channels[1].data()};
  const double* tailCh[] = {tail.channels[0].data(), tail.channels[1].data()};

  const std::string path = dir + "/long.wav";
  std::string error;
  {
    PendingFile out;
    WavWriter writer;
    ASSERT_TRUE(out.Open(path, &error) && writer.Begin(&out.File(), path, layout, frames, &error)) << error;
    ASSERT_TRUE(writer.Write(headCh, edge, &error) && writer.WriteSilence(frames - 2 * edge, &error) &&
                writer.Write(tailCh, edge, &error) && writer.Finish(&error) && out.Commit(&error))
        << error;
    EXPECT_TRUE(writer.IsRf64());
  }
  ASSERT_EQ(fs::file_size(path), WavWriter::FileBytes(layout, frames));
  ExpectTheEnds(path, layout, frames, head, tail);
  fs::remove(path);
}

TEST(PendingFile, TheTargetChangesOnlyOnCommit) {
  const std::string dir = Scratch("pending");
  const std::string path = dir + "/a.bin";
  std::ofstream(path) << "earlier";
  auto names = [&] {
    std::vector<std::string> v;
    for (const auto& e : fs::directory_iterator(dir)) v.push_back(e.path().filename().string());
    std::sort(v.begin(), v.end());
    return v;
  };
  std::string error;
  {
    PendingFile out;
    ASSERT_TRUE(out.Open(path, &error)) << error;
    ASSERT_TRUE(out.File().Write("new", 3));
    EXPECT_EQ(names().size(), 2u);
    EXPECT_EQ(Bytes(path), std::vector<uint8_t>({'e', 'a', 'r', 'l', 'i', 'e', 'r'}));
  }  // dropped: the earlier file stays, the partial one goes
  EXPECT_EQ(names(), std::vector<std::string>({"a.bin"}));
  EXPECT_EQ(Bytes(path).size(), 7u);

  ASSERT_TRUE(WriteWholeFile(path, "new", 3, &error)) << error;
  EXPECT_EQ(Bytes(path), std::vector<uint8_t>({'n', 'e', 'w'}));
  EXPECT_EQ(names(), std::vector<std::string>({"a.bin"}));

  // Refused before anything is written when the disk cannot hold it.
  {
    PendingFile out;
    ASSERT_TRUE(out.Open(path, &error)) << error;
    EXPECT_TRUE(out.CheckRoomFor(1000, &error)) << error;
    EXPECT_FALSE(out.CheckRoomFor(uint64_t(1) << 62, &error));
    EXPECT_EQ(error.rfind("cannot write " + path + ": needs 4611686018.4 GB, ", 0), 0u) << error;
  }

  EXPECT_FALSE(WriteWholeFile(dir, "x", 1, &error));
  EXPECT_EQ(error, "cannot write " + dir + ": it is a folder");
  EXPECT_FALSE(WriteWholeFile(dir + "/missing/a.bin", "x", 1, &error));
  EXPECT_EQ(error.rfind("cannot write " + dir + "/missing/a.bin: ", 0), 0u) << error;
}
