#include "tools/flac/FlacWriter.h"

#include <FLAC/metadata.h>
#include <FLAC/stream_encoder.h>

#include <cctype>
#include <cstring>

#include "tools/wav/SampleCodec.h"

namespace {

constexpr unsigned kCompressionLevel = 5;  // libFLAC's default: most of the gain, at a small cost
constexpr double kSeekPointSeconds = 10.0;

// "FLAC__STREAM_ENCODER_INIT_STATUS_INVALID_SAMPLE_RATE" as "invalid sample rate".
std::string Readable(const char* code) {
  std::string text = code ? code : "unknown error";
  for (const char* prefix : {"FLAC__STREAM_ENCODER_INIT_STATUS_", "FLAC__STREAM_ENCODER_"})
    if (text.compare(0, std::strlen(prefix), prefix) == 0) {
      text.erase(0, std::strlen(prefix));
      break;
    }
  for (char& c : text) c = c == '_' ? ' ' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

// With the position the encoder asks for.
struct FlacWriter::Sink {
  FLAC__StreamEncoder* encoder = nullptr;
  FLAC__StreamMetadata* seekTable = nullptr;
  BinaryFile* file = nullptr;
  uint64_t position = 0;
  std::string fileError;   // the system's reason when a write or a seek failed
  bool abandoned = false;  // nothing more is written once the file is given up

  ~Sink() {
    abandoned = true;  // deleting an unfinished encoder flushes it; that goes nowhere
    if (encoder) FLAC__stream_encoder_delete(encoder);
    if (seekTable) FLAC__metadata_object_delete(seekTable);
  }
};

namespace {

using Sink = FlacWriter::Sink;

FLAC__StreamEncoderWriteStatus WriteBytes(const FLAC__StreamEncoder*, const FLAC__byte buffer[], size_t bytes,
                                          uint32_t, uint32_t, void* data) {
  Sink* sink = static_cast<Sink*>(data);
  if (sink->abandoned || !sink->fileError.empty()) return FLAC__STREAM_ENCODER_WRITE_STATUS_FATAL_ERROR;
  if (!sink->file->Write(buffer, bytes)) {
    sink->fileError = sink->file->Error();
    return FLAC__STREAM_ENCODER_WRITE_STATUS_FATAL_ERROR;
  }
  sink->position += bytes;
  return FLAC__STREAM_ENCODER_WRITE_STATUS_OK;
}

FLAC__StreamEncoderSeekStatus SeekTo(const FLAC__StreamEncoder*, FLAC__uint64 offset, void* data) {
  Sink* sink = static_cast<Sink*>(data);
  if (sink->abandoned || !sink->fileError.empty()) return FLAC__STREAM_ENCODER_SEEK_STATUS_ERROR;
  if (!sink->file->Seek(offset)) {
    sink->fileError = sink->file->Error();
    return FLAC__STREAM_ENCODER_SEEK_STATUS_ERROR;
  }
  sink->position = offset;
  return FLAC__STREAM_ENCODER_SEEK_STATUS_OK;
}

void Configure(FLAC__StreamEncoder* e, const WavLayout& layout, uint64_t plannedFrames) {
  FLAC__stream_encoder_set_channels(e, static_cast<uint32_t>(layout.channels));
  FLAC__stream_encoder_set_bits_per_sample(e, static_cast<uint32_t>(layout.bits));
  FLAC__stream_encoder_set_sample_rate(e, layout.rate);
  // Rates outside the streamable subset still make valid FLAC.
  FLAC__stream_encoder_set_streamable_subset(e, FLAC__format_sample_rate_is_subset(layout.rate));
  FLAC__stream_encoder_set_compression_level(e, kCompressionLevel);
  FLAC__stream_encoder_set_total_samples_estimate(e, plannedFrames);
}

// Points spaced in time, for the encoder to fill in as it writes the frames; nullptr when out of memory.
FLAC__StreamMetadata* SeekTable(uint32_t rate, uint64_t plannedFrames) {
  FLAC__StreamMetadata* table = FLAC__metadata_object_new(FLAC__METADATA_TYPE_SEEKTABLE);
  const auto spacing = static_cast<uint32_t>(kSeekPointSeconds * rate);
  if (table && plannedFrames > 0 &&
      !(FLAC__metadata_object_seektable_template_append_spaced_points_by_samples(table, spacing, plannedFrames) &&
        FLAC__metadata_object_seektable_template_sort(table, true))) {
    FLAC__metadata_object_delete(table);
    return nullptr;
  }
  return table;
}

FLAC__StreamEncoderTellStatus Tell(const FLAC__StreamEncoder*, FLAC__uint64* offset, void* data) {
  *offset = static_cast<Sink*>(data)->position;
  return FLAC__STREAM_ENCODER_TELL_STATUS_OK;
}

}  // namespace

FlacWriter::FlacWriter() = default;

FlacWriter::~FlacWriter() { Abandon(); }

// The encoder's thread goes before the encoder it uses; the sink then writes
// nothing of what deleting the encoder flushes.
void FlacWriter::Abandon() {
  StopEncoding();
  sink.reset();
}

std::string FlacWriter::EncoderFailure() const {
  if (!sink->fileError.empty()) return sink->fileError;
  return "the FLAC encoder failed (" + Readable(FLAC__stream_encoder_get_resolved_state_string(sink->encoder)) + ")";
}

bool FlacWriter::Begin(BinaryFile* file, const std::string& fileName, const WavLayout& fileLayout,
                       uint64_t plannedFrames, std::string* error) {
  Abandon();
  name = fileName;
  layout = fileLayout;
  frames = 0;
  stats = SampleStats();
  if (layout.channels <= 0 || layout.channels > kMaxChannels) return Fail("no audio to write", error);
  if (layout.isFloat || (layout.bits != 16 && layout.bits != 24))
    return Fail("FLAC holds 16- or 24-bit samples, not " + std::to_string(layout.bits) + "-bit" +
                    (layout.isFloat ? " floating point" : ""),
                error);
  sink.reset(new Sink);
  sink->file = file;
  sink->encoder = FLAC__stream_encoder_new();
  if (!sink->encoder) return Fail("the FLAC encoder could not be made", error);
  Configure(sink->encoder, layout, plannedFrames);
  sink->seekTable = SeekTable(layout.rate, plannedFrames);
  if (!sink->seekTable) return Fail("out of memory for the seek table", error);
  FLAC__StreamMetadata* metadata[] = {sink->seekTable};
  FLAC__stream_encoder_set_metadata(sink->encoder, metadata, 1);

  if (!file->Seek(0)) return Fail(file->Error(), error);
  const FLAC__StreamEncoderInitStatus status =
      FLAC__stream_encoder_init_stream(sink->encoder, WriteBytes, SeekTo, Tell, nullptr, sink.get());
  if (status == FLAC__STREAM_ENCODER_INIT_STATUS_ENCODER_ERROR) return Fail(EncoderFailure(), error);
  if (status != FLAC__STREAM_ENCODER_INIT_STATUS_OK)
    return Fail("the FLAC encoder refused the format (" + Readable(FLAC__StreamEncoderInitStatusString[status]) + ")",
                error);
  quantized.resize(EncoderThread::kPieceFrames * layout.channels);
  StartEncoding(layout.channels);
  return true;
}

bool FlacWriter::EncodePiece(const double* const* channels, std::size_t count, std::string* error) {
  const FLAC__int32* samples[kMaxChannels];
  for (int c = 0; c < layout.channels; ++c) {
    int32_t* to = quantized.data() + c * EncoderThread::kPieceFrames;
    QuantizeSamples(channels[c], count, layout.bits, to, &stats);
    samples[c] = to;
  }
  return FLAC__stream_encoder_process(sink->encoder, samples, static_cast<uint32_t>(count)) ||
         Fail(EncoderFailure(), error);
}

bool FlacWriter::Finish(std::string* error) {
  if (!Drain(error)) return false;
  StopEncoding();
  // Writes the last frame, then seeks back for the length, the checksum and the seek table.
  return FLAC__stream_encoder_finish(sink->encoder) || Fail(EncoderFailure(), error);
}
