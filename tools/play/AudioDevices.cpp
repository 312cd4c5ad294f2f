#include "tools/play/AudioDevices.h"

#include <portaudio.h>

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "tools/play/QuietStderr.h"

namespace {

// The rates offered when a device refuses the one asked for.
const double kCommonRates[] = {8000, 11025, 16000, 22050, 32000, 44100, 48000, 88200, 96000, 176400, 192000};

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool IsWholeNumber(const std::string& text) {
  return !text.empty() && text.size() < 10 && std::all_of(text.begin(), text.end(), [](char c) {
    return c >= '0' && c <= '9';
  });
}

std::string RateText(double rate) { return std::to_string(static_cast<long>(rate)) + " Hz"; }

OutputDevice Describe(int index, const PaDeviceInfo& info, PaDeviceIndex defaultOutput) {
  OutputDevice d;
  d.index = index;
  d.name = info.name ? info.name : "";
  const PaHostApiInfo* api = Pa_GetHostApiInfo(info.hostApi);
  d.api = api && api->name ? api->name : "";
  d.channels = info.maxOutputChannels;
  d.defaultRate = info.defaultSampleRate;
  d.isDefault = index == defaultOutput;
  return d;
}

}  // namespace

std::string OutputDevice::Title() const { return "device " + std::to_string(index) + " \"" + name + "\""; }

AudioDevices::AudioDevices() {
  QuietStderr quiet;
  const PaError error = Pa_Initialize();
  if (error != paNoError) throw std::runtime_error(std::string("no sound system: ") + Pa_GetErrorText(error));
  const PaDeviceIndex defaultOutput = Pa_GetDefaultOutputDevice();
  for (int i = 0; i < Pa_GetDeviceCount(); ++i) {
    const PaDeviceInfo* info = Pa_GetDeviceInfo(i);
    if (info && info->maxOutputChannels >= 2) outputs.push_back(Describe(i, *info, defaultOutput));
  }
}

AudioDevices::~AudioDevices() {
  QuietStderr quiet;
  Pa_Terminate();
}

OutputDevice AudioDevices::Choose(const std::string& spec) const {
  if (outputs.empty()) throw std::runtime_error("no audio output device (see ondivox devices)");
  if (spec.empty()) {
    for (const OutputDevice& d : outputs)
      if (d.isDefault) return d;
    throw std::runtime_error("no default audio output; choose one with --device (see ondivox devices)");
  }
  if (IsWholeNumber(spec)) {
    for (const OutputDevice& d : outputs)
      if (std::to_string(d.index) == spec) return d;
    throw std::runtime_error("no output device " + spec + " (see ondivox devices)");
  }
  const std::string wanted = Lower(spec);
  std::vector<const OutputDevice*> matches;
  for (const OutputDevice& d : outputs)
    if (Lower(d.name) == wanted) return d;
  for (const OutputDevice& d : outputs)
    if (Lower(d.name).find(wanted) != std::string::npos) matches.push_back(&d);
  if (matches.size() == 1) return *matches[0];
  if (matches.empty()) throw std::runtime_error("no output device named \"" + spec + "\" (see ondivox devices)");
  std::string names;
  for (const OutputDevice* d : matches) names += (names.empty() ? "" : ", ") + std::to_string(d->index) + " \"" + d->name + "\"";
  throw std::runtime_error("\"" + spec + "\" names more than one output device: " + names);
}

std::vector<double> AudioDevices::RatesOf(const OutputDevice& device, double latencySeconds) const {
  PaStreamParameters params = {device.index, 2, paFloat32, latencySeconds, nullptr};
  std::vector<double> rates;
  QuietStderr quiet;
  for (double rate : kCommonRates)
    if (Pa_IsFormatSupported(nullptr, &params, rate) == paFormatIsSupported) rates.push_back(rate);
  return rates;
}

void AudioDevices::RequireRate(const OutputDevice& device, double rate, double latencySeconds) const {
  PaStreamParameters params = {device.index, 2, paFloat32, latencySeconds, nullptr};
  PaError answer;
  {
    QuietStderr quiet;
    answer = Pa_IsFormatSupported(nullptr, &params, rate);
  }
  if (answer == paFormatIsSupported) return;
  const std::vector<double> rates = RatesOf(device, latencySeconds);
  std::string offered;
  for (double r : rates) offered += (offered.empty() ? "" : ", ") + RateText(r);
  throw std::runtime_error(device.Title() + " does not play " + RateText(rate) + " (" +
                           (offered.empty() ? "nor any common rate" : "it plays " + offered) +
                           "); play at one of its rates with --rate, no resampling yet");
}
