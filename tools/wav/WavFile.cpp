#include "tools/wav/WavFile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatFloat = 3;
constexpr uint16_t kFormatExtensible = 0xFFFE;

uint32_t Le32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }
uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

bool Fail(std::string* error, const std::string& why) {
  if (error) *error = why;
  return false;
}

struct Format {
  uint16_t tag = 0;
  uint16_t channels = 0;
  uint32_t rate = 0;
  uint16_t bits = 0;
};

// One sample at p in the file's encoding, as a double in -1..1.
double Sample(const uint8_t* p, const Format& f) {
  if (f.tag == kFormatFloat) {
    if (f.bits == 32) {
      float v;
      std::memcpy(&v, p, 4);
      return v;
    }
    double v;
    std::memcpy(&v, p, 8);
    return v;
  }
  switch (f.bits) {
    case 8: return (p[0] - 128) / 128.0;
    case 16: return static_cast<int16_t>(Le16(p)) / 32768.0;
    case 24: {
      int32_t v = static_cast<int32_t>(p[0] << 8 | p[1] << 16 | static_cast<uint32_t>(p[2]) << 24) >> 8;
      return v / 8388608.0;
    }
    default: return static_cast<int32_t>(Le32(p)) / 2147483648.0;
  }
}

bool FormatSupported(const Format& f) {
  if (f.channels == 0 || f.rate == 0) return false;
  if (f.tag == kFormatPcm) return f.bits == 8 || f.bits == 16 || f.bits == 24 || f.bits == 32;
  if (f.tag == kFormatFloat) return f.bits == 32 || f.bits == 64;
  return false;
}

bool ParseFmt(const uint8_t* p, uint32_t size, Format* f) {
  if (size < 16) return false;
  f->tag = Le16(p);
  f->channels = Le16(p + 2);
  f->rate = Le32(p + 4);
  f->bits = Le16(p + 14);
  // Extensible files name the real format in the first two bytes of the sub-format GUID.
  if (f->tag == kFormatExtensible) {
    if (size < 40) return false;
    f->tag = Le16(p + 24);
  }
  return true;
}

}  // namespace

bool ReadWav(const std::string& path, WavAudio* audio, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return Fail(error, "cannot read " + path);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
      std::memcmp(bytes.data() + 8, "WAVE", 4) != 0)
    return Fail(error, path + " is not a WAV file");

  Format format;
  bool haveFormat = false;
  const uint8_t* data = nullptr;
  std::size_t dataSize = 0;
  for (std::size_t pos = 12; pos + 8 <= bytes.size();) {
    const uint8_t* chunk = bytes.data() + pos;
    std::size_t size = Le32(chunk + 4);
    std::size_t avail = bytes.size() - pos - 8;
    if (std::memcmp(chunk, "fmt ", 4) == 0) {
      if (size > avail || !ParseFmt(chunk + 8, static_cast<uint32_t>(size), &format))
        return Fail(error, path + ": malformed format chunk");
      haveFormat = true;
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      data = chunk + 8;
      dataSize = std::min(size, avail);  // a truncated file keeps what it has
    }
    if (size > avail) break;
    pos += 8 + size + (size & 1);
  }
  if (!haveFormat) return Fail(error, path + ": no format chunk");
  if (!data) return Fail(error, path + ": no data chunk");
  if (!FormatSupported(format))
    return Fail(error, path + ": unsupported WAV encoding (format " + std::to_string(format.tag) +
                           ", " + std::to_string(format.bits) + " bits)");

  std::size_t bytesPerSample = format.bits / 8;
  std::size_t frameBytes = bytesPerSample * format.channels;
  std::size_t frames = dataSize / frameBytes;
  audio->sampleRate = format.rate;
  audio->channels.assign(format.channels, std::vector<double>(frames));
  for (std::size_t i = 0; i < frames; ++i)
    for (std::size_t c = 0; c < format.channels; ++c)
      audio->channels[c][i] = Sample(data + i * frameBytes + c * bytesPerSample, format);
  return true;
}

namespace {

int BitsOf(WavFormat format) {
  switch (format) {
    case WavFormat::kPcm16: return 16;
    case WavFormat::kPcm24: return 24;
    case WavFormat::kFloat32: return 32;
    default: return 64;
  }
}

std::vector<uint8_t> Header(double rate, int channels, WavFormat format, uint64_t dataBytes) {
  const uint16_t bits = static_cast<uint16_t>(BitsOf(format));
  const uint16_t tag = bits <= 24 ? kFormatPcm : kFormatFloat;
  const uint32_t blockAlign = channels * bits / 8;
  std::vector<uint8_t> out;
  out.insert(out.end(), {'R', 'I', 'F', 'F'});
  Put32(out, static_cast<uint32_t>(36 + dataBytes));
  out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  Put32(out, 16);
  Put16(out, tag);
  Put16(out, static_cast<uint16_t>(channels));
  Put32(out, static_cast<uint32_t>(rate));
  Put32(out, static_cast<uint32_t>(rate) * blockAlign);
  Put16(out, blockAlign);
  Put16(out, bits);
  out.insert(out.end(), {'d', 'a', 't', 'a'});
  Put32(out, static_cast<uint32_t>(dataBytes));
  return out;
}

void Encode(double v, WavFormat format, std::vector<uint8_t>& out) {
  if (format == WavFormat::kFloat64) {
    uint8_t raw[8];
    std::memcpy(raw, &v, 8);
    out.insert(out.end(), raw, raw + 8);
  } else if (format == WavFormat::kFloat32) {
    float f = static_cast<float>(v);
    uint8_t raw[4];
    std::memcpy(raw, &f, 4);
    out.insert(out.end(), raw, raw + 4);
  } else {
    double scale = format == WavFormat::kPcm16 ? 32767.0 : 8388607.0;
    double clamped = std::max(-1.0, std::min(1.0, v));
    int32_t q = static_cast<int32_t>(std::lround(clamped * scale));
    out.push_back(q & 0xFF);
    out.push_back((q >> 8) & 0xFF);
    if (format == WavFormat::kPcm24) out.push_back((q >> 16) & 0xFF);
  }
}

}  // namespace

WavWriter::~WavWriter() {
  if (file) std::fclose(file);
}

bool WavWriter::Open(const std::string& filePath, double sampleRate, int channels, WavFormat fmt,
                     std::string* error) {
  if (channels <= 0) return Fail(error, "no audio to write");
  path = filePath;
  format = fmt;
  channelCount = channels;
  dataBytes = 0;
  file = std::fopen(path.c_str(), "wb");
  if (!file) return Fail(error, "cannot write " + path);
  std::vector<uint8_t> header = Header(sampleRate, channels, format, 0);
  if (std::fwrite(header.data(), 1, header.size(), file) != header.size()) return Fail(error, "cannot write " + path);
  rate = sampleRate;
  return true;
}

bool WavWriter::Write(const double* const* channels, std::size_t frames, std::string* error) {
  if (!file) return Fail(error, "no open WAV file");
  buffer.clear();
  for (std::size_t i = 0; i < frames; ++i)
    for (int c = 0; c < channelCount; ++c) Encode(channels[c][i], format, buffer);
  dataBytes += buffer.size();
  if (dataBytes > 0xFFFFFFF0ull - 44) return Fail(error, "too long for a WAV file: " + path);
  if (std::fwrite(buffer.data(), 1, buffer.size(), file) != buffer.size()) return Fail(error, "cannot write " + path);
  return true;
}

bool WavWriter::Close(std::string* error) {
  if (!file) return Fail(error, "no open WAV file");
  std::vector<uint8_t> header = Header(rate, channelCount, format, dataBytes);
  bool ok = std::fseek(file, 0, SEEK_SET) == 0 &&
            std::fwrite(header.data(), 1, header.size(), file) == header.size();
  ok = std::fclose(file) == 0 && ok;
  file = nullptr;
  return ok ? true : Fail(error, "cannot write " + path);
}

bool WriteWav(const std::string& path, const WavAudio& audio, WavFormat format, std::string* error) {
  std::vector<const double*> channels;
  for (const auto& ch : audio.channels) channels.push_back(ch.data());
  WavWriter writer;
  return writer.Open(path, audio.sampleRate, static_cast<int>(channels.size()), format, error) &&
         writer.Write(channels.data(), audio.Frames(), error) && writer.Close(error);
}

bool ParseWavFormat(const std::string& text, WavFormat* format) {
  if (text == "16") *format = WavFormat::kPcm16;
  else if (text == "24") *format = WavFormat::kPcm24;
  else if (text == "f32") *format = WavFormat::kFloat32;
  else if (text == "f64") *format = WavFormat::kFloat64;
  else return false;
  return true;
}

const char* WavFormatName(WavFormat format) {
  switch (format) {
    case WavFormat::kPcm16: return "16-bit";
    case WavFormat::kPcm24: return "24-bit";
    case WavFormat::kFloat32: return "32-bit float";
    default: return "64-bit float";
  }
}
