// BackgroundFeed: an audio file as a stereo stream at the render's rate,
// block by block: mono is heard on both sides, another rate is resampled,
// and silence follows its end or, looped, the file again from its start,
// joined by a short crossfade so the seam does not click.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tools/decode/AudioDecoder.h"
#include "tools/decode/Resampler.h"

class BackgroundFeed {
 public:
  // The crossfade at a loop's seam, in seconds, or a quarter of the file
  // when that is shorter: the tail fades out as the start fades in, so a
  // looped file repeats every length minus this.
  static constexpr double kSeamSeconds = 0.02;

  BackgroundFeed();
  ~BackgroundFeed();

  // Reads and checks the file's header; ToolError naming what is wrong.
  void Open(const std::string& path, bool loop = false);
  // Readies the stream at rate (resampled when the file's differs).
  void Start(double rate);

  // The file given to Open; empty when none is open.
  const std::string& Path() const { return path; }
  const char* Format() const { return decoder->Format(); }
  uint32_t Rate() const { return decoder->Rate(); }
  uint64_t Frames() const { return decoder->Frames(); }
  bool Looped() const { return loop; }
  // Its length at rate, in frames.
  int64_t FramesAt(double rate) const;

  // The next frames samples of each side; false, with Error(), when the
  // file cannot be read.
  bool Fill(double* const* stereo, int32_t frames);
  const std::string& Error() const { return error; }
  // Samples that were not finite numbers, mixed as silence.
  uint64_t NonFiniteSamples() const { return decoder ? decoder->NonFiniteSamples() : 0; }

 private:
  // Frames not yet given out, two channels.
  struct Queue {
    std::vector<double> side[2];
    std::size_t first = 0;  // frames before it are taken
    std::size_t Size() const { return side[0].size() - first; }
    double* At(int c, std::size_t i) { return side[c].data() + first + i; }
    void Append(const double* const* from, std::size_t n);
    void Take(std::size_t n, double* const* to);  // the first n
  };

  std::size_t Pull(double* const* stereo, std::size_t frames);  // one pass; fewer at its end
  bool Decode(std::size_t frames);
  bool Advance();
  bool Seam();

  std::string path;
  bool loop = false;
  std::unique_ptr<AudioDecoder> decoder;
  std::unique_ptr<Resampler> resampler;
  bool decoderDone = false, flushed = false;
  std::vector<double> decoded[2], converted[2];
  std::size_t decodedStart = 0, decodedEnd = 0;
  Queue ready, held;  // held: a looped pass's last frames, for the seam
  std::vector<double> head[2];  // the first frames of the stream
  std::size_t seamFrames = 0, headFrames = 0, passFrames = 0;
  bool firstPass = true, ended = false, failed = false;
  std::string error;
};
