// VorbisDecoder: Ogg Vorbis files with libvorbisfile, in floating point.
#include <vorbis/vorbisfile.h>

#include <algorithm>

#include "tools/decode/AudioDecoder.h"

namespace {

class VorbisDecoder : public AudioDecoder {
 public:
  ~VorbisDecoder() override {
    if (open) ov_clear(&file);
  }

  bool Open(const std::string& file_, std::string* error) {
    path = file_;
    const int result = ov_fopen(path.c_str(), &file);
    if (result != 0) return Fail(path + " does not decode as Ogg Vorbis (" + Reason(result) + ")", error);
    open = true;
    const vorbis_info* info = ov_info(&file, -1);
    const ogg_int64_t total = ov_pcm_total(&file, -1);
    if (!info || total < 0) return Fail(path + " does not decode as Ogg Vorbis (no length)", error);
    channels = info->channels;
    rate = static_cast<uint32_t>(info->rate);
    frames = static_cast<uint64_t>(total);
    return true;
  }

  const char* Format() const override { return "Ogg Vorbis"; }
  int Channels() const override { return channels; }
  uint32_t Rate() const override { return rate; }
  uint64_t Frames() const override { return frames; }

  bool Read(double* const* out, std::size_t count, std::size_t* got, std::string* error) override {
    *got = 0;
    while (*got < count) {
      float** pcm = nullptr;
      int section = 0;
      const long want = static_cast<long>(std::min<std::size_t>(count - *got, 4096));
      const long n = ov_read_float(&file, &pcm, static_cast<int>(want), &section);
      if (n == 0) return true;
      if (n == OV_HOLE) continue;  // a gap in the data: decoding goes on after it
      if (n < 0) return Fail(path + " does not decode as Ogg Vorbis (" + Reason(static_cast<int>(n)) + ")", error);
      const vorbis_info* info = ov_info(&file, section);
      if (!info || info->channels != channels || static_cast<uint32_t>(info->rate) != rate)
        return Fail(path + " changes its channels or rate part-way; it cannot be mixed in", error);
      for (int c = 0; c < channels; ++c) std::copy(pcm[c], pcm[c] + n, out[c] + *got);
      *got += static_cast<std::size_t>(n);
    }
    return true;
  }

  bool Rewind(std::string* error) override {
    return ov_pcm_seek(&file, 0) == 0 || Fail("cannot seek in " + path, error);
  }

 private:
  static std::string Reason(int code) {
    switch (code) {
      case OV_ENOTVORBIS: return "not Vorbis data";
      case OV_EBADHEADER: return "a bad Vorbis header";
      case OV_EVERSION: return "an unknown Vorbis version";
      case OV_EREAD: return "a read error";
      default: return "error " + std::to_string(code);
    }
  }

  bool Fail(const std::string& why, std::string* error) const {
    *error = why;
    return false;
  }

  std::string path;
  OggVorbis_File file = {};
  bool open = false;
  int channels = 0;
  uint32_t rate = 0;
  uint64_t frames = 0;
};

}  // namespace

std::unique_ptr<AudioDecoder> OpenVorbisDecoder(const std::string& path, std::string* error) {
  auto decoder = std::make_unique<VorbisDecoder>();
  if (!decoder->Open(path, error)) return nullptr;
  return decoder;
}
