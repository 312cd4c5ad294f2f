// IEffectBase: binding the host's channel buffers for one block.
#include <algorithm>
#include <cstring>

#include "framework/EffectBase.h"

void IEffectBase::ConnectInputs(int32_t first, int32_t count, bool connected) {
  int32_t end = std::min<int64_t>(static_cast<int64_t>(first) + count, InputChannelCount());
  for (int32_t i = std::max(first, 0); i < end; ++i) {
    inputs[i].connected = connected;
    if (!connected) *inputs[i].slot = inputs[i].scratch.data();
  }
}

void IEffectBase::ConnectOutputs(int32_t first, int32_t count, bool connected) {
  int32_t end = std::min<int64_t>(static_cast<int64_t>(first) + count, OutputChannelCount());
  for (int32_t i = std::max(first, 0); i < end; ++i) {
    outputs[i].connected = connected;
    if (!connected) *outputs[i].slot = outputs[i].scratch.data();
  }
}

void IEffectBase::RunBlock(int32_t frames) {
  if (isReady) RenderBlock(inputPointers.data(), outputPointers.data(), frames);
}

void IEffectBase::CopyInputsToOutputs(int32_t frames) {
  if (frames <= 0) return;
  std::size_t shared = std::min(inputs.size(), outputs.size());
  for (std::size_t c = 0; c < outputs.size(); ++c) {
    double* out = outputPointers[c];
    if (!out) continue;
    const double* in = c < shared ? inputPointers[c] : nullptr;
    if (in && in != out)
      std::memmove(out, in, sizeof(double) * frames);
    else if (in)
      continue;
    else
      std::fill(out, out + frames, 0.0);
  }
}

void IEffectBase::ConvertOutputs32(int32_t frames) {
  for (OutputChannel& ch : outputs) {
    if (!ch.connected || !ch.dest32) continue;
    int32_t n = std::min<int32_t>(frames, static_cast<int32_t>(ch.scratch.size()));
    for (int32_t k = 0; k < n; ++k) ch.dest32[k] = static_cast<float>(ch.scratch[k]);
  }
}

void IEffectBase::ClearScratch() {
  for (InputChannel& ch : inputs) std::fill(ch.scratch.begin(), ch.scratch.end(), 0.0);
  for (OutputChannel& ch : outputs) std::fill(ch.scratch.begin(), ch.scratch.end(), 0.0);
}

void IEffectBase::ResizeBlockBuffers(int32_t frames) {
  if (frames == blockSize) return;
  int32_t n = std::max(frames, 0);
  for (InputChannel& ch : inputs) ch.scratch.assign(n, 0.0);
  for (OutputChannel& ch : outputs) ch.scratch.assign(n, 0.0);
  blockSize = frames;
}
