// WavDecoder: WAV and RF64 files through the tool's own reader, which reads
// every sample exactly.
#include "tools/decode/AudioDecoder.h"
#include "tools/wav/WavReader.h"

namespace {

class WavDecoder : public AudioDecoder {
 public:
  bool Open(const std::string& path, std::string* error) { return reader.Open(path, error); }

  const char* Format() const override { return reader.IsRf64() ? "RF64" : "WAV"; }
  int Channels() const override { return reader.Layout().channels; }
  uint32_t Rate() const override { return reader.Layout().rate; }
  uint64_t Frames() const override { return reader.Frames(); }
  bool Read(double* const* channels, std::size_t count, std::size_t* got, std::string* error) override {
    return reader.Read(channels, count, got, error);
  }
  bool Rewind(std::string* error) override { return reader.Rewind(error); }
  uint64_t NonFiniteSamples() const override { return reader.NonFiniteSamples(); }

 private:
  WavReader reader;
};

}  // namespace

std::unique_ptr<AudioDecoder> OpenWavDecoder(const std::string& path, std::string* error) {
  auto decoder = std::make_unique<WavDecoder>();
  if (!decoder->Open(path, error)) return nullptr;
  return decoder;
}
