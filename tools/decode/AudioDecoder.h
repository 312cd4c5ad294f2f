// AudioDecoder: an audio file decoded block by block into channels of
// samples in -1 .. 1, whatever its format: WAV or RF64, FLAC, Ogg Vorbis or
// MP3. OpenAudioFile tells them apart by their first bytes, not their names.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

class AudioDecoder {
 public:
  virtual ~AudioDecoder() = default;

  virtual const char* Format() const = 0;
  virtual int Channels() const = 0;
  virtual uint32_t Rate() const = 0;
  virtual uint64_t Frames() const = 0;
  // Up to count frames into Channels() arrays; *got is fewer than count
  // only at the end. False, with *error, when the file does not decode.
  virtual bool Read(double* const* channels, std::size_t count, std::size_t* got, std::string* error) = 0;
  // Back to the first frame.
  virtual bool Rewind(std::string* error) = 0;
  // Samples so far that were not finite numbers (read as 0).
  virtual uint64_t NonFiniteSamples() const { return 0; }
};

// Null, with *error saying why, when path cannot be read or decoded.
std::unique_ptr<AudioDecoder> OpenAudioFile(const std::string& path, std::string* error);

// Each format's, for a file OpenAudioFile has recognised.
std::unique_ptr<AudioDecoder> OpenWavDecoder(const std::string& path, std::string* error);
std::unique_ptr<AudioDecoder> OpenFlacDecoder(const std::string& path, std::string* error);
std::unique_ptr<AudioDecoder> OpenVorbisDecoder(const std::string& path, std::string* error);
std::unique_ptr<AudioDecoder> OpenMp3Decoder(const std::string& path, std::string* error);
