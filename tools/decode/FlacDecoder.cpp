// FlacDecoder: FLAC files with libFLAC's stream decoder, frame by frame.
#include <FLAC/stream_decoder.h>

#include <vector>

#include "tools/decode/AudioDecoder.h"

namespace {

class FlacDecoder : public AudioDecoder {
 public:
  ~FlacDecoder() override {
    if (decoder) FLAC__stream_decoder_delete(decoder);
  }

  bool Open(const std::string& file, std::string* error) {
    path = file;
    decoder = FLAC__stream_decoder_new();
    if (!decoder ||
        FLAC__stream_decoder_init_file(decoder, path.c_str(), &FlacDecoder::OnFrame, &FlacDecoder::OnMetadata,
                                       &FlacDecoder::OnError, this) != FLAC__STREAM_DECODER_INIT_STATUS_OK)
      return Fail("cannot read " + path, error);
    if (!FLAC__stream_decoder_process_until_end_of_metadata(decoder) || rate == 0)
      return Fail(path + " does not decode as FLAC" + Why(), error);
    if (frames == 0) return CountFrames(error);
    return true;
  }

  const char* Format() const override { return "FLAC"; }
  int Channels() const override { return channels; }
  uint32_t Rate() const override { return rate; }
  uint64_t Frames() const override { return frames; }

  bool Read(double* const* out, std::size_t count, std::size_t* got, std::string* error) override {
    *got = 0;
    while (*got < count) {
      if (taken == pending[0].size()) {
        taken = 0;
        for (auto& p : pending) p.clear();
        if (FLAC__stream_decoder_get_state(decoder) == FLAC__STREAM_DECODER_END_OF_STREAM) return true;
        if (!FLAC__stream_decoder_process_single(decoder) || !problem.empty())
          return Fail(path + " does not decode as FLAC" + Why(), error);
        continue;
      }
      const std::size_t n = std::min(count - *got, pending[0].size() - taken);
      for (int c = 0; c < channels; ++c)
        std::copy(pending[c].begin() + static_cast<long>(taken), pending[c].begin() + static_cast<long>(taken + n),
                  out[c] + *got);
      taken += n;
      *got += n;
    }
    return true;
  }

  bool Rewind(std::string* error) override {
    taken = 0;
    for (auto& p : pending) p.clear();
    if (!FLAC__stream_decoder_seek_absolute(decoder, 0)) return Fail("cannot seek in " + path + Why(), error);
    // The seek decodes the first frame; it is pending already.
    return true;
  }

 private:
  static FLAC__StreamDecoderWriteStatus OnFrame(const FLAC__StreamDecoder*, const FLAC__Frame* frame,
                                                const FLAC__int32* const buffer[], void* data) {
    auto* self = static_cast<FlacDecoder*>(data);
    const double scale = 1.0 / static_cast<double>(1u << (frame->header.bits_per_sample - 1));
    for (int c = 0; c < self->channels; ++c)
      for (uint32_t i = 0; i < frame->header.blocksize; ++i) self->pending[c].push_back(buffer[c][i] * scale);
    return FLAC__STREAM_DECODER_WRITE_STATUS_CONTINUE;
  }

  static void OnMetadata(const FLAC__StreamDecoder*, const FLAC__StreamMetadata* m, void* data) {
    auto* self = static_cast<FlacDecoder*>(data);
    if (m->type != FLAC__METADATA_TYPE_STREAMINFO) return;
    self->rate = m->data.stream_info.sample_rate;
    self->channels = static_cast<int>(m->data.stream_info.channels);
    self->frames = m->data.stream_info.total_samples;
  }

  static void OnError(const FLAC__StreamDecoder*, FLAC__StreamDecoderErrorStatus status, void* data) {
    static_cast<FlacDecoder*>(data)->problem = FLAC__StreamDecoderErrorStatusString[status];
  }

  // A stream written without knowing its length says 0: it is counted.
  bool CountFrames(std::string* error) {
    std::vector<double> scratch[8];
    double* at[8];
    for (int c = 0; c < 8; ++c) {
      scratch[c].resize(4096);
      at[c] = scratch[c].data();
    }
    std::size_t got = 0;
    do {
      if (!Read(at, 4096, &got, error)) return false;
      frames += got;
    } while (got == 4096);
    return Rewind(error);
  }

  std::string Why() const { return problem.empty() ? "" : " (" + problem + ")"; }

  bool Fail(const std::string& why, std::string* error) const {
    *error = why;
    return false;
  }

  std::string path, problem;
  FLAC__StreamDecoder* decoder = nullptr;
  uint32_t rate = 0;
  int channels = 0;
  uint64_t frames = 0;
  std::vector<double> pending[8];  // FLAC holds up to 8 channels
  std::size_t taken = 0;
};

}  // namespace

std::unique_ptr<AudioDecoder> OpenFlacDecoder(const std::string& path, std::string* error) {
  auto decoder = std::make_unique<FlacDecoder>();
  if (!decoder->Open(path, error)) return nullptr;
  return decoder;
}
