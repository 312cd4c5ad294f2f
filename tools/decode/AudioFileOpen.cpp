#include <cstring>

#include "tools/decode/AudioDecoder.h"
#include "tools/files/BinaryFile.h"

namespace {

bool Starts(const uint8_t* bytes, std::size_t got, const char* magic) {
  const std::size_t n = std::strlen(magic);
  return got >= n && std::memcmp(bytes, magic, n) == 0;
}

}  // namespace

std::unique_ptr<AudioDecoder> OpenAudioFile(const std::string& path, std::string* error) {
  BinaryFile file;
  uint8_t start[4] = {};
  std::size_t got = 0;
  if (!file.OpenRead(path) || !file.Read(start, sizeof start, &got)) {
    *error = "cannot read " + path + ": " + file.Error();
    return nullptr;
  }
  file.Close();
  if (Starts(start, got, "RIFF") || Starts(start, got, "RF64") || Starts(start, got, "BW64"))
    return OpenWavDecoder(path, error);
  if (Starts(start, got, "fLaC")) return OpenFlacDecoder(path, error);
  if (Starts(start, got, "OggS")) return OpenVorbisDecoder(path, error);
  // An ID3 tag, or the sync word of an MPEG audio frame.
  if (Starts(start, got, "ID3") || (got >= 2 && start[0] == 0xFF && (start[1] & 0xE0) == 0xE0))
    return OpenMp3Decoder(path, error);
  *error = path + " is not a WAV, RF64, FLAC, Ogg Vorbis or MP3 file";
  return nullptr;
}
