// Mp3Decoder: MPEG audio files with libmpg123, as 32-bit floating point,
// gapless (the encoder's padding is left out), its length found by a scan.
#include <mpg123.h>

#include <algorithm>
#include <vector>

#include "tools/decode/AudioDecoder.h"

namespace {

class Mp3Decoder : public AudioDecoder {
 public:
  ~Mp3Decoder() override {
    if (handle) {
      mpg123_close(handle);
      mpg123_delete(handle);
    }
  }

  bool Open(const std::string& file, std::string* error) {
    path = file;
    int result = MPG123_OK;
    handle = mpg123_new(nullptr, &result);
    if (!handle) return Fail(path + ": " + mpg123_plain_strerror(result), error);
    mpg123_param(handle, MPG123_FLAGS, MPG123_GAPLESS | MPG123_QUIET, 0.0);
    // One output format, floating point, whatever the stream holds.
    mpg123_format_none(handle);
    const long* rates = nullptr;
    std::size_t count = 0;
    mpg123_rates(&rates, &count);
    for (std::size_t i = 0; i < count; ++i)
      if (mpg123_format(handle, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_FLOAT_32) != MPG123_OK)
        return Fail(path + ": this libmpg123 cannot give floating point" + Why(), error);
    long fileRate = 0;
    int encoding = 0;
    if (mpg123_open(handle, path.c_str()) != MPG123_OK) return Fail("cannot read " + path + Why(), error);
    if (mpg123_getformat(handle, &fileRate, &channels, &encoding) != MPG123_OK || fileRate <= 0)
      return Fail(path + " does not decode as MP3" + Why(), error);
    rate = static_cast<uint32_t>(fileRate);
    if (encoding != MPG123_ENC_FLOAT_32) return Fail(path + ": libmpg123 did not give floating point", error);
    if (mpg123_scan(handle) != MPG123_OK) return Fail(path + " does not decode as MP3" + Why(), error);
    const off_t length = mpg123_length(handle);
    if (length <= 0) return Fail(path + " does not decode as MP3 (no audio frames)", error);
    frames = static_cast<uint64_t>(length);
    return true;
  }

  const char* Format() const override { return "MP3"; }
  int Channels() const override { return channels; }
  uint32_t Rate() const override { return rate; }
  uint64_t Frames() const override { return frames; }

  bool Read(double* const* out, std::size_t count, std::size_t* got, std::string* error) override {
    *got = 0;
    buffer.resize(4096 * static_cast<std::size_t>(channels));
    while (*got < count) {
      const std::size_t want = std::min<std::size_t>(count - *got, 4096);
      std::size_t bytes = 0;
      const int result = mpg123_read(handle, buffer.data(), want * channels * sizeof(float), &bytes);
      const std::size_t n = bytes / (sizeof(float) * channels);
      for (std::size_t i = 0; i < n; ++i)
        for (int c = 0; c < channels; ++c) out[c][*got + i] = buffer[i * channels + c];
      *got += n;
      if (result == MPG123_DONE) return true;
      if (result == MPG123_NEW_FORMAT) continue;
      if (result != MPG123_OK) return Fail(path + " does not decode as MP3" + Why(), error);
    }
    return true;
  }

  bool Rewind(std::string* error) override {
    return mpg123_seek(handle, 0, SEEK_SET) >= 0 || Fail("cannot seek in " + path + Why(), error);
  }

 private:
  std::string Why() const { return handle ? std::string(" (") + mpg123_strerror(handle) + ")" : ""; }

  bool Fail(const std::string& why, std::string* error) const {
    *error = why;
    return false;
  }

  std::string path;
  mpg123_handle* handle = nullptr;
  int channels = 0;
  uint32_t rate = 0;
  uint64_t frames = 0;
  std::vector<float> buffer;
};

}  // namespace

std::unique_ptr<AudioDecoder> OpenMp3Decoder(const std::string& path, std::string* error) {
  auto decoder = std::make_unique<Mp3Decoder>();
  if (!decoder->Open(path, error)) return nullptr;
  return decoder;
}
