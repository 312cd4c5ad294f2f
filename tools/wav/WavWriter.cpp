#include "tools/wav/WavWriter.h"

#include <algorithm>

namespace {

constexpr uint64_t kPlainHeaderBytes = 44;
constexpr uint64_t kRf64HeaderBytes = 80;  // with the 36-byte ds64 chunk
constexpr uint64_t kMax32 = 0xFFFFFFFFu;

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
void Put64(std::vector<uint8_t>& out, uint64_t v) {
  Put32(out, static_cast<uint32_t>(v));
  Put32(out, static_cast<uint32_t>(v >> 32));
}
void PutId(std::vector<uint8_t>& out, const char* id) { out.insert(out.end(), id, id + 4); }

uint64_t Padded(uint64_t dataBytes) { return dataBytes + (dataBytes & 1); }

// The RIFF size of a plain WAV of dataBytes must fit 32 bits.
bool FitsPlainWav(uint64_t dataBytes) { return kPlainHeaderBytes - 8 + Padded(dataBytes) <= kMax32; }

// A plain header whose sizes do not fit says 0xFFFFFFFF: read to the end.
uint32_t Size32(uint64_t bytes) { return static_cast<uint32_t>(std::min(bytes, kMax32)); }

std::vector<uint8_t> Header(const WavLayout& layout, uint64_t dataBytes, uint64_t frames, bool rf64) {
  const uint64_t riffBytes = (rf64 ? kRf64HeaderBytes : kPlainHeaderBytes) - 8 + Padded(dataBytes);
  std::vector<uint8_t> out;
  PutId(out, rf64 ? "RF64" : "RIFF");
  Put32(out, rf64 ? static_cast<uint32_t>(kMax32) : Size32(riffBytes));
  PutId(out, "WAVE");
  if (rf64) {
    PutId(out, "ds64");
    Put32(out, 28);
    Put64(out, riffBytes);
    Put64(out, dataBytes);
    Put64(out, frames);
    Put32(out, 0);  // no table of other long chunks
  }
  PutId(out, "fmt ");
  Put32(out, 16);
  Put16(out, layout.isFloat ? kWavTagFloat : kWavTagPcm);
  Put16(out, static_cast<uint32_t>(layout.channels));
  Put32(out, layout.rate);
  Put32(out, layout.rate * static_cast<uint32_t>(layout.FrameBytes()));
  Put16(out, static_cast<uint32_t>(layout.FrameBytes()));
  Put16(out, static_cast<uint32_t>(layout.bits));
  PutId(out, "data");
  Put32(out, rf64 ? static_cast<uint32_t>(kMax32) : Size32(dataBytes));
  return out;
}

}  // namespace

uint64_t WavWriter::FileBytes(const WavLayout& layout, uint64_t frames) {
  uint64_t data = frames * static_cast<uint64_t>(layout.FrameBytes());
  return (FitsPlainWav(data) ? kPlainHeaderBytes : kRf64HeaderBytes) + Padded(data);
}

bool WavWriter::Holds(uint64_t total, std::string* error) const {
  if (stream && total > planned) return Fail("more than the " + std::to_string(planned) + " frames planned", error);
  if (!stream && !rf64 && !FitsPlainWav(total * layout.FrameBytes()))
    return Fail("longer than a WAV file can hold (4 GiB)", error);
  return true;
}

bool WavWriter::Begin(BinaryFile* out, const std::string& fileName, const WavLayout& fileLayout,
                      uint64_t plannedFrames, std::string* error) {
  StopEncoding();
  file = out;
  name = fileName;
  layout = fileLayout;
  if (layout.channels <= 0 || layout.channels > kMaxChannels) return Fail("no audio to write", error);
  planned = plannedFrames;
  const uint64_t plannedBytes = planned * static_cast<uint64_t>(layout.FrameBytes());
  rf64 = !stream && !FitsPlainWav(plannedBytes);
  frames = 0;
  stats = SampleStats();
  // A stream's header is final: it gives the planned length.
  std::vector<uint8_t> header = stream ? Header(layout, plannedBytes, planned, false) : Header(layout, 0, 0, rf64);
  headerBytes = header.size();
  if ((!stream && !file->Seek(0)) || !file->Write(header.data(), header.size())) return Fail(file->Error(), error);
  bytes.resize(EncoderThread::kPieceFrames * layout.FrameBytes());
  StartEncoding(layout.channels);
  return true;
}

bool WavWriter::EncodePiece(const double* const* channels, std::size_t count, std::string* error) {
  EncodeFrames(channels, count, layout, bytes.data(), &stats);
  return file->Write(bytes.data(), count * layout.FrameBytes()) || Fail(file->Error(), error);
}

bool WavWriter::WriteSilence(uint64_t count, std::string* error) {
  if (count == 0) return true;
  if (stream) return Fail("a stream cannot skip ahead", error);
  if (!Holds(frames + count, error) || !Drain(error)) return false;
  // Seeking past the end leaves a hole; its last byte is written so the file has its length.
  const uint64_t end = headerBytes + (frames + count) * static_cast<uint64_t>(layout.FrameBytes());
  const uint8_t zero = 0;
  if (!file->Seek(end - 1) || !file->Write(&zero, 1)) return Fail(file->Error(), error);
  frames += count;
  return true;
}

bool WavWriter::Finish(std::string* error) {
  if (!Drain(error)) return false;
  StopEncoding();
  if (stream && frames != planned)
    return Fail("the stream ended after " + std::to_string(frames) + " of " + std::to_string(planned) + " frames",
                error);
  const uint64_t dataBytes = frames * static_cast<uint64_t>(layout.FrameBytes());
  const uint8_t pad = 0;
  if ((dataBytes & 1) && !file->Write(&pad, 1)) return Fail(file->Error(), error);
  if (stream) return true;
  std::vector<uint8_t> header = Header(layout, dataBytes, frames, rf64);
  if (!file->Seek(0) || !file->Write(header.data(), header.size())) return Fail(file->Error(), error);
  return true;
}
