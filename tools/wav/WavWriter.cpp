#include "tools/wav/WavWriter.h"

#include <algorithm>

namespace {

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatFloat = 3;
constexpr uint64_t kPlainHeaderBytes = 44;
constexpr uint64_t kRf64HeaderBytes = 80;  // with the 36-byte ds64 chunk
constexpr uint64_t kMax32 = 0xFFFFFFFFu;
constexpr std::size_t kBufferBytes = 1 << 20;

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

std::vector<uint8_t> Header(const WavLayout& layout, uint64_t dataBytes, uint64_t frames, bool rf64) {
  const uint64_t riffBytes = (rf64 ? kRf64HeaderBytes : kPlainHeaderBytes) - 8 + Padded(dataBytes);
  std::vector<uint8_t> out;
  PutId(out, rf64 ? "RF64" : "RIFF");
  Put32(out, rf64 ? static_cast<uint32_t>(kMax32) : static_cast<uint32_t>(riffBytes));
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
  Put16(out, layout.isFloat ? kFormatFloat : kFormatPcm);
  Put16(out, static_cast<uint32_t>(layout.channels));
  Put32(out, layout.rate);
  Put32(out, layout.rate * static_cast<uint32_t>(layout.FrameBytes()));
  Put16(out, static_cast<uint32_t>(layout.FrameBytes()));
  Put16(out, static_cast<uint32_t>(layout.bits));
  PutId(out, "data");
  Put32(out, rf64 ? static_cast<uint32_t>(kMax32) : static_cast<uint32_t>(dataBytes));
  return out;
}

}  // namespace

uint64_t WavWriter::FileBytes(const WavLayout& layout, uint64_t frames) {
  uint64_t data = frames * static_cast<uint64_t>(layout.FrameBytes());
  return (FitsPlainWav(data) ? kPlainHeaderBytes : kRf64HeaderBytes) + Padded(data);
}

bool WavWriter::Fail(const std::string& why, std::string* error) const {
  if (error) *error = "cannot write " + name + ": " + why;
  return false;
}

bool WavWriter::Begin(BinaryFile* out, const std::string& fileName, const WavLayout& fileLayout,
                      uint64_t plannedFrames, std::string* error) {
  file = out;
  name = fileName;
  layout = fileLayout;
  if (layout.channels <= 0) return Fail("no audio to write", error);
  rf64 = !FitsPlainWav(plannedFrames * static_cast<uint64_t>(layout.FrameBytes()));
  frames = 0;
  stats = SampleStats();
  buffer.assign(std::max<std::size_t>(kBufferBytes, layout.FrameBytes()), 0);
  std::vector<uint8_t> header = Header(layout, 0, 0, rf64);
  used = 0;
  position = header.size();
  if (!file->Seek(0) || !file->Write(header.data(), header.size())) return Fail(file->Error(), error);
  return true;
}

bool WavWriter::Flush(std::string* error) {
  if (used == 0) return true;
  if (!file->Write(buffer.data(), used)) return Fail(file->Error(), error);
  position += used;
  used = 0;
  return true;
}

bool WavWriter::Write(const double* const* channels, std::size_t count, std::string* error) {
  const std::size_t frameBytes = static_cast<std::size_t>(layout.FrameBytes());
  const std::size_t perFill = buffer.size() / frameBytes;
  if (!rf64 && !FitsPlainWav((frames + count) * frameBytes))
    return Fail("longer than a WAV file can hold (4 GiB)", error);
  std::vector<const double*> from(channels, channels + layout.channels);
  for (std::size_t done = 0; done < count;) {
    std::size_t room = (buffer.size() - used) / frameBytes;
    if (room == 0) {
      if (!Flush(error)) return false;
      room = perFill;
    }
    std::size_t n = std::min(room, count - done);
    EncodeFrames(from.data(), n, layout, buffer.data() + used, &stats);
    for (const double*& p : from) p += n;
    used += n * frameBytes;
    done += n;
  }
  frames += count;
  return true;
}

bool WavWriter::WriteSilence(uint64_t count, std::string* error) {
  if (count == 0) return true;
  const uint64_t bytes = count * static_cast<uint64_t>(layout.FrameBytes());
  if (!rf64 && !FitsPlainWav((frames + count) * layout.FrameBytes()))
    return Fail("longer than a WAV file can hold (4 GiB)", error);
  if (!Flush(error)) return false;
  // Seeking past the end leaves a hole; its last byte is written so the file has its length.
  const uint8_t zero = 0;
  if (!file->Seek(position + bytes - 1) || !file->Write(&zero, 1)) return Fail(file->Error(), error);
  position += bytes;
  frames += count;
  return true;
}

bool WavWriter::Finish(std::string* error) {
  if (!Flush(error)) return false;
  const uint64_t dataBytes = frames * static_cast<uint64_t>(layout.FrameBytes());
  std::vector<uint8_t> header = Header(layout, dataBytes, frames, rf64);
  const uint8_t pad = 0;
  if ((dataBytes & 1) && !file->Write(&pad, 1)) return Fail(file->Error(), error);
  if (!file->Seek(0) || !file->Write(header.data(), header.size())) return Fail(file->Error(), error);
  return true;
}
