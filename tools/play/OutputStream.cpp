#include "tools/play/OutputStream.h"

#include <portaudio.h>

#include <stdexcept>

#include "tools/play/QuietStderr.h"

namespace {

int Callback(const void*, void* output, unsigned long frames, const PaStreamCallbackTimeInfo*, PaStreamCallbackFlags,
             void* feed) {
  return static_cast<PlaybackFeed*>(feed)->Fill(static_cast<float*>(output), frames) ? paContinue : paComplete;
}

}  // namespace

OutputStream::OutputStream(const OutputDevice& device, double rate, double latencySeconds, PlaybackFeed& feed)
    : title(device.Title()) {
  PaStreamParameters params = {device.index, 2, paFloat32, latencySeconds, nullptr};
  PaStream* opened = nullptr;
  PaError error;
  {
    QuietStderr quiet;
    error = Pa_OpenStream(&opened, nullptr, &params, rate, paFramesPerBufferUnspecified, paClipOff, Callback, &feed);
  }
  if (error != paNoError) throw std::runtime_error("cannot open " + title + ": " + Pa_GetErrorText(error));
  stream = opened;
}

// A stream still playing is cut off (the player waits for a fade to play out
// before it lets go); one that has finished is stopped as usual.
OutputStream::~OutputStream() {
  QuietStderr quiet;
  if (Pa_IsStreamActive(stream) == 1)
    Pa_AbortStream(stream);
  else
    Pa_StopStream(stream);
  Pa_CloseStream(stream);
}

void OutputStream::Start() {
  PaError error;
  {
    QuietStderr quiet;
    error = Pa_StartStream(stream);
  }
  if (error != paNoError) throw std::runtime_error("cannot start " + title + ": " + Pa_GetErrorText(error));
}

bool OutputStream::Active() const { return Pa_IsStreamActive(stream) == 1; }

double OutputStream::Latency() const {
  const PaStreamInfo* info = Pa_GetStreamInfo(stream);
  return info ? info->outputLatency : 0.0;
}
