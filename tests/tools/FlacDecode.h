// A FLAC file decoded with libFLAC, for tests to compare with what was meant.
#pragma once

#include <FLAC/stream_decoder.h>

#include <cstdint>
#include <string>
#include <vector>

struct FlacAudio {
  bool ok = false;
  std::string error;
  uint32_t rate = 0, bits = 0;
  uint64_t totalSamples = 0;  // per channel, as the stream's header says
  std::vector<std::vector<int32_t>> channels;
};

namespace flac_decode_detail {

inline FLAC__StreamDecoderWriteStatus Frame(const FLAC__StreamDecoder*, const FLAC__Frame* frame,
                                            const FLAC__int32* const buffer[], void* data) {
  auto* audio = static_cast<FlacAudio*>(data);
  audio->channels.resize(frame->header.channels);
  for (uint32_t c = 0; c < frame->header.channels; ++c)
    audio->channels[c].insert(audio->channels[c].end(), buffer[c], buffer[c] + frame->header.blocksize);
  return FLAC__STREAM_DECODER_WRITE_STATUS_CONTINUE;
}

inline void Metadata(const FLAC__StreamDecoder*, const FLAC__StreamMetadata* m, void* data) {
  auto* audio = static_cast<FlacAudio*>(data);
  if (m->type != FLAC__METADATA_TYPE_STREAMINFO) return;
  audio->rate = m->data.stream_info.sample_rate;
  audio->bits = m->data.stream_info.bits_per_sample;
  audio->totalSamples = m->data.stream_info.total_samples;
}

inline void Error(const FLAC__StreamDecoder*, FLAC__StreamDecoderErrorStatus status, void* data) {
  static_cast<FlacAudio*>(data)->error = FLAC__StreamDecoderErrorStatusString[status];
}

}  // namespace flac_decode_detail

// Decodes the whole file, checking its MD5 signature.
inline FlacAudio DecodeFlac(const std::string& path) {
  FlacAudio audio;
  FLAC__StreamDecoder* decoder = FLAC__stream_decoder_new();
  FLAC__stream_decoder_set_md5_checking(decoder, true);
  if (FLAC__stream_decoder_init_file(decoder, path.c_str(), flac_decode_detail::Frame, flac_decode_detail::Metadata,
                                     flac_decode_detail::Error, &audio) != FLAC__STREAM_DECODER_INIT_STATUS_OK) {
    audio.error = "cannot open " + path;
  } else {
    const bool decoded = FLAC__stream_decoder_process_until_end_of_stream(decoder);
    const bool md5Matches = FLAC__stream_decoder_finish(decoder);
    audio.ok = decoded && md5Matches && audio.error.empty();
    if (!md5Matches) audio.error = "MD5 mismatch";
  }
  FLAC__stream_decoder_delete(decoder);
  return audio;
}
