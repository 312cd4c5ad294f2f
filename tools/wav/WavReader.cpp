#include "tools/wav/WavReader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "tools/wav/SampleCodec.h"

namespace {

constexpr uint16_t kFormatExtensible = 0xFFFE;
constexpr uint32_t kUnknownSize = 0xFFFFFFFFu;
// The sub-format GUID of an extensible chunk after its first two bytes (the format).
constexpr uint8_t kSubFormatTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                        0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint64_t Le64(const uint8_t* p) { return ReadLe32(p) | static_cast<uint64_t>(ReadLe32(p + 4)) << 32; }

bool Is(const uint8_t* id, const char* name) { return std::memcmp(id, name, 4) == 0; }

std::string Number(uint64_t n) { return std::to_string(static_cast<unsigned long long>(n)); }

}  // namespace

bool WavReader::Fail(const std::string& why, std::string* error) const {
  if (error) *error = why;
  return false;
}

bool WavReader::Open(const std::string& filePath, std::string* error) {
  path = filePath;
  framesRead = nonFinite = 0;
  if (!file.OpenRead(path)) return Fail("cannot read " + path + ": " + file.Error(), error);
  std::string why;
  if (!ReadHeader(&why)) return Fail(why, error);
  return file.Seek(dataOffset) || Fail("cannot read " + path + ": " + file.Error(), error);
}

bool WavReader::Rewind(std::string* error) {
  framesRead = 0;
  return file.Seek(dataOffset) || Fail("cannot read " + path + ": " + file.Error(), error);
}

bool WavReader::ReadHeader(std::string* why) {
  uint8_t riff[12];
  std::size_t got = 0;
  if (!file.Size(&fileBytes) || !file.Read(riff, sizeof riff, &got))
    return Fail("cannot read " + path + ": " + file.Error(), why);
  rf64 = got == sizeof riff && (Is(riff, "RF64") || Is(riff, "BW64"));
  if (got < sizeof riff || !(Is(riff, "RIFF") || rf64) || !Is(riff + 8, "WAVE"))
    return Fail(path + " is not a WAV file", why);

  uint64_t longDataBytes = 0;  // from the ds64 chunk of an RF64 file
  bool haveDs64 = false, haveFormat = false, haveData = false;
  for (uint64_t pos = 12; pos + 8 <= fileBytes && !(haveFormat && haveData);) {
    uint8_t chunk[8];
    if (!file.Seek(pos) || !file.Read(chunk, 8, &got) || got < 8) break;
    const uint32_t size = ReadLe32(chunk + 4);
    uint64_t length = size;
    if (Is(chunk, "ds64")) {
      uint8_t ds64[28];
      if (size < 28 || !file.Read(ds64, 28, &got) || got < 28)
        return Fail(path + ": the ds64 chunk is too short", why);
      longDataBytes = Le64(ds64 + 8);
      haveDs64 = true;
    } else if (Is(chunk, "fmt ")) {
      uint8_t fmt[40] = {};
      if (size < 16) return Fail(path + ": the format chunk is too short (" + Number(size) + " bytes)", why);
      std::size_t want = std::min<std::size_t>(size, sizeof fmt);
      if (!file.Read(fmt, want, &got) || got < want) return Fail(path + " ends inside its format chunk", why);
      if (!CheckLayout(fmt, size, why)) return false;
      haveFormat = true;
    } else if (Is(chunk, "data")) {
      if (rf64 && size == kUnknownSize) {
        if (!haveDs64) return Fail(path + ": an RF64 file without its ds64 chunk", why);
        length = longDataBytes;
      } else if (size == kUnknownSize) {
        // A stream longer than 4 GiB, saved: its audio runs to the end of the file.
        length = fileBytes - (pos + 8);
      }
      dataOffset = pos + 8;
      dataBytes = length;
      haveData = true;
    }
    // A chunk said to run past the end ends the walk (its 64-bit length could
    // otherwise wrap the position back to the start).
    if (length > fileBytes - (pos + 8)) break;
    pos += 8 + length + (length & 1);
  }
  if (!haveFormat) return Fail(path + ": no format chunk", why);
  if (!haveData) return Fail(path + ": no data chunk", why);
  if (dataBytes > fileBytes - dataOffset)
    return Fail(path + " ends early: its header promises " + Number(dataBytes) + " bytes of audio, the file holds " +
                    Number(fileBytes - dataOffset),
                why);
  frames = dataBytes / static_cast<uint64_t>(layout.FrameBytes());
  return true;
}

bool WavReader::CheckLayout(const uint8_t* fmt, uint32_t size, std::string* why) {
  uint16_t tag = Le16(fmt);
  const uint16_t channels = Le16(fmt + 2);
  const uint32_t rate = ReadLe32(fmt + 4);
  const uint16_t blockAlign = Le16(fmt + 12);
  const uint16_t bits = Le16(fmt + 14);
  if (tag == kFormatExtensible) {
    if (size < 40) return Fail(path + ": the extensible format chunk is too short (" + Number(size) + " bytes)", why);
    tag = Le16(fmt + 24);
    if (std::memcmp(fmt + 26, kSubFormatTail, sizeof kSubFormatTail) != 0)
      return Fail(path + ": an extensible format chunk with an unknown sub-format", why);
  }
  char tagText[8];
  std::snprintf(tagText, sizeof tagText, "0x%04X", tag);
  if (tag != kWavTagPcm && tag != kWavTagFloat)
    return Fail(path + ": encoding " + tagText + " is neither PCM nor floating point", why);
  if (channels == 0) return Fail(path + " has no channels", why);
  if (rate == 0 || rate > kMaxRate)
    return Fail(path + " claims a rate of " + Number(rate) + " Hz (1 to " + Number(kMaxRate) + " Hz can be read)", why);
  const bool isFloat = tag == kWavTagFloat;
  const bool bitsOk = isFloat ? bits == 32 || bits == 64 : bits == 8 || bits == 16 || bits == 24 || bits == 32;
  if (!bitsOk)
    return Fail(path + ": " + Number(bits) + "-bit " + (isFloat ? "floating point" : "PCM") +
                    " is not supported (" + (isFloat ? "32 or 64" : "8, 16, 24 or 32") + " bits)",
                why);
  if (blockAlign != channels * (bits / 8))
    return Fail(path + ": a block align of " + Number(blockAlign) + " bytes does not fit " + Number(channels) +
                    " channels of " + Number(bits) + " bits",
                why);
  layout.isFloat = isFloat;
  layout.bits = bits;
  layout.channels = channels;
  layout.rate = rate;
  return true;
}

bool WavReader::Read(double* const* channels, std::size_t count, std::size_t* got, std::string* error) {
  *got = 0;
  const std::size_t frameBytes = static_cast<std::size_t>(layout.FrameBytes());
  const std::size_t want = static_cast<std::size_t>(std::min<uint64_t>(count, frames - framesRead));
  if (want == 0) return true;
  buffer.resize(want * frameBytes);
  std::size_t bytes = 0;
  if (!file.Read(buffer.data(), buffer.size(), &bytes))
    return Fail("cannot read " + path + ": " + file.Error(), error);
  if (bytes < buffer.size())
    return Fail(path + " ended early, after " + Number(framesRead + bytes / frameBytes) + " of " + Number(frames) +
                    " frames",
                error);
  nonFinite += DecodeFrames(buffer.data(), want, layout, channels);
  framesRead += want;
  *got = want;
  return true;
}
