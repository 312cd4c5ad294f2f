#include "tools/wav/WavFile.h"

#include "tools/files/PendingFile.h"
#include "tools/wav/WavReader.h"
#include "tools/wav/WavWriter.h"

bool ReadWav(const std::string& path, WavAudio* audio, std::string* error) {
  WavReader reader;
  if (!reader.Open(path, error)) return false;
  const WavLayout& layout = reader.Layout();
  audio->sampleRate = layout.rate;
  audio->channels.assign(layout.channels, std::vector<double>(reader.Frames()));
  std::vector<double*> to;
  for (auto& ch : audio->channels) to.push_back(ch.data());
  std::size_t got = 0;
  return reader.Read(to.data(), reader.Frames(), &got, error);
}

bool WriteWav(const std::string& path, const WavAudio& audio, WavFormat format, std::string* error) {
  std::vector<const double*> channels;
  for (const auto& ch : audio.channels) channels.push_back(ch.data());
  const WavLayout layout = LayoutOf(format, static_cast<int>(channels.size()), static_cast<uint32_t>(audio.sampleRate));
  PendingFile out;
  WavWriter writer;
  return out.Open(path, error) && writer.Begin(&out.File(), path, layout, audio.Frames(), error) &&
         writer.Write(channels.data(), audio.Frames(), error) && writer.Finish(error) && out.Commit(error);
}
