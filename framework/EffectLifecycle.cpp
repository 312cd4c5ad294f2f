// IEffectBase: processing setup and the block, once for both sample types.
#include <algorithm>
#include <type_traits>

#include "framework/EffectBase.h"

using Guard = std::lock_guard<std::recursive_mutex>;

bool IEffectBase::Prepare(double rate, int32_t maxBlock) {
  if (maxBlock <= 0 || maxBlock > kMaxBlockFrames || !(rate > 0.0)) return false;
  Guard g(lock);
  // Resized first: when memory runs out nothing else has changed.
  ResizeBlockBuffers(maxBlock);
  sampleRate = rate;
  isBypassed = false;
  ResetState();
  return true;
}

template <typename Sample>
void IEffectBase::Process(const HostBlock<Sample>& block) {
  Guard g(lock);
  if (blockSize <= 0) return;
  for (int32_t offset = 0; offset < block.frames; offset += blockSize)
    ProcessPiece(block, offset, std::min(blockSize, block.frames - offset));
}

template <typename Sample>
void IEffectBase::ProcessPiece(const HostBlock<Sample>& block, int32_t offset, int32_t frames) {
  BindInputBuses(block, offset, frames);
  BindOutputBuses(block, offset);
  if (isBypassed)
    CopyInputsToOutputs(frames);
  else
    RunBlock(frames);
  if constexpr (std::is_same_v<Sample, float>) ConvertOutputs32(frames);
}

template <typename Sample>
void IEffectBase::BindInputBuses(const HostBlock<Sample>& block, int32_t offset, int32_t frames) {
  const int32_t all = InputChannelCount();
  if (!block.mainInput) {
    // No input bus this block: the instrument reads silence, not last block's buffers.
    ConnectInputs(0, all, false);
    ClearScratch();
    return;
  }
  const HostBus<Sample>& main = *block.mainInput;
  const int32_t mainCount = std::max(main.count, 0);  // a negative count from a host binds nothing
  const int32_t firstAux = all - sideChainChannels;
  if (sideChainChannels == 0) {
    ConnectInputs(0, mainCount, true);
    ConnectInputs(mainCount, all, false);
  } else if (block.auxInput && block.auxInput->active) {
    ConnectInputs(0, all, true);
    auxWasActive = true;
  } else {
    if (auxWasActive) ClearScratch();
    auxWasActive = false;
    ConnectInputs(0, firstAux, true);
    ConnectInputs(firstAux, all, false);
  }
  for (int32_t c = 0; c < mainCount && c < all; ++c) BindInput(c, main.channels[c] + offset, frames);
  if (sideChainChannels == 0 || !block.auxInput) return;
  const HostBus<Sample>& aux = *block.auxInput;
  for (int32_t c = 0; c < aux.count && firstAux + c < all; ++c)
    BindInput(firstAux + c, aux.channels[c] + offset, frames);
}

template <typename Sample>
void IEffectBase::BindOutputBuses(const HostBlock<Sample>& block, int32_t offset) {
  const int32_t all = OutputChannelCount();
  int32_t k = 0;
  for (int32_t j = 0; j < block.outputBusCount && k < all; ++j) {
    const HostBus<Sample>& bus = block.outputs[j];
    const int32_t count = std::max(bus.count, 0);  // a negative count from a host binds nothing
    ConnectOutputs(k, count, bus.active);
    ConnectOutputs(k + count, all, false);
    for (int32_t c = 0; c < count && k + c < all; ++c) BindOutput(k + c, bus.channels[c] + offset);
    k += count;
  }
}

template void IEffectBase::Process<float>(const HostBlock<float>&);
template void IEffectBase::Process<double>(const HostBlock<double>&);

// --- One channel ---------------------------------------------------------------

void IEffectBase::BindInput(int32_t channel, const double* buffer, int32_t) {
  InputChannel& ch = inputs[channel];
  if (ch.connected) *ch.slot = const_cast<double*>(buffer);
}

void IEffectBase::BindInput(int32_t channel, const float* buffer, int32_t frames) {
  InputChannel& ch = inputs[channel];
  if (!ch.connected) return;
  int32_t n = std::min<int32_t>(frames, static_cast<int32_t>(ch.scratch.size()));
  for (int32_t k = 0; k < n; ++k) ch.scratch[k] = buffer[k];
  *ch.slot = ch.scratch.data();
}

void IEffectBase::BindOutput(int32_t channel, double* buffer) {
  OutputChannel& ch = outputs[channel];
  if (ch.connected) *ch.slot = buffer;
}

void IEffectBase::BindOutput(int32_t channel, float* buffer) {
  OutputChannel& ch = outputs[channel];
  if (!ch.connected) return;
  *ch.slot = ch.scratch.data();
  ch.dest32 = buffer;
}
