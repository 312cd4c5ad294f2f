// OutputChoice: what render writes, from the output's name and --format.
//
// The container follows the name: OUT.flac is FLAC, any other name WAV (RF64
// past 4 GiB), and "-" a WAV stream on the standard output. --format gives
// the samples (16, 24, f32, f64; 24 when absent); flac16 and flac24 ask for
// FLAC whatever the name. What cannot be both is refused: floating point in
// FLAC, FLAC asked for a .wav name, FLAC on the standard output.
#pragma once

#include <memory>
#include <string>

#include "tools/wav/AudioOutput.h"
#include "tools/wav/WavFormat.h"

enum class Container { kWav, kFlac, kStream };

struct OutputChoice {
  Container container = Container::kWav;
  WavFormat samples = WavFormat::kPcm24;
  std::string name;  // as messages call the output

  bool ToStandardOutput() const { return container == Container::kStream; }
  // A writer for this container, not yet begun.
  std::unique_ptr<AudioOutput> MakeWriter() const;
};

// output: -o's value; format: --format's, or nullptr when not given.
// UsageError for a format that is none of the above or contradicts the name.
OutputChoice ChooseOutput(const std::string& output, const std::string* format);
