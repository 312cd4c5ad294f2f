#include "tools/ondivox/OutputChoice.h"

#include <cctype>

#include "tools/flac/FlacWriter.h"
#include "tools/ondivox/ToolError.h"
#include "tools/wav/WavWriter.h"

namespace {

bool EndsWith(const std::string& name, const std::string& extension) {
  if (name.size() < extension.size()) return false;
  for (std::size_t i = 0; i < extension.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(name[name.size() - extension.size() + i])) != extension[i])
      return false;
  return true;
}

// "flac16" and "flac24": FLAC of that depth.
bool ParseFlacFormat(const std::string& text, WavFormat* samples) {
  if (text.compare(0, 4, "flac") != 0) return false;
  return ParseWavFormat(text.substr(4), samples) && (*samples == WavFormat::kPcm16 || *samples == WavFormat::kPcm24);
}

}  // namespace

OutputChoice ChooseOutput(const std::string& output, const std::string* format) {
  OutputChoice choice;
  const bool stream = output == "-";
  choice.name = stream ? "the standard output" : output;
  choice.container = stream ? Container::kStream : EndsWith(output, ".flac") ? Container::kFlac : Container::kWav;
  if (!format) return choice;
  const std::string option = "--format " + *format;
  if (ParseFlacFormat(*format, &choice.samples)) {
    if (stream) throw UsageError(option + ": -o - is a WAV stream; FLAC needs a file name");
    if (EndsWith(output, ".wav")) throw UsageError(option + " writes FLAC, but " + output + " is named as a WAV file");
    choice.container = Container::kFlac;
    return choice;
  }
  if (!ParseWavFormat(*format, &choice.samples))
    throw UsageError("--format: '" + *format + "' is not 16, 24, f32, f64, flac16 or flac24");
  if (choice.container == Container::kFlac && (choice.samples == WavFormat::kFloat32 || choice.samples == WavFormat::kFloat64))
    throw UsageError(option + ": FLAC holds 16- or 24-bit samples; name the file .wav for floating point");
  return choice;
}

std::unique_ptr<AudioOutput> OutputChoice::MakeWriter() const {
  switch (container) {
    case Container::kFlac: return std::unique_ptr<AudioOutput>(new FlacWriter);
    case Container::kStream: return std::unique_ptr<AudioOutput>(new WavWriter(WavWriter::Target::kStream));
    default: return std::unique_ptr<AudioOutput>(new WavWriter);
  }
}
