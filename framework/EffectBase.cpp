#include "framework/EffectBase.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "framework/HostKind.h"

using Guard = std::lock_guard<std::recursive_mutex>;

IEffectBase::IEffectBase(const EffectConfig& config)
    : isInstrument(config.isInstrument),
      latency(config.latency),
      version(config.version),
      apiKind(config.apiKind),
      wantsMidi(config.wantsMidi) {
  params.resize(std::max(0, config.paramCount));
  presets.resize(std::max(0, config.presetCount));
  for (std::size_t i = 0; i < presets.size(); ++i)
    std::snprintf(presets[i].name, sizeof presets[i].name, "- %d -", static_cast<int>(i + 1));

  ParseChannelIo(config.channelIo);
}

IEffectBase::~IEffectBase() {
  delete editorLink;
  editorLink = nullptr;
  editor = nullptr;
  // The lists free their elements last first.
  while (!presets.empty()) presets.pop_back();
  while (!params.empty()) params.pop_back();
}

void IEffectBase::ParseChannelIo(const char* text) {
  int32_t maxIn = 0, maxOut = 0;
  const char* p = text ? text : "";
  for (;;) {
    int in = 0, out = 0;  // a failed read leaves what it did not read at 0
    std::sscanf(p, "%d-%d", &in, &out);
    channelPairs.push_back({in, out});
    maxIn = std::max<int32_t>(maxIn, in);
    maxOut = std::max<int32_t>(maxOut, out);
    const char* space = std::strchr(p, ' ');
    if (!space) break;
    p = space + 1;
  }
  inputPointers.assign(maxIn, nullptr);
  outputPointers.assign(maxOut, nullptr);
  inputs.resize(maxIn);
  outputs.resize(maxOut);
  for (int32_t i = 0; i < maxIn; ++i) inputs[i].slot = &inputPointers[i];
  for (int32_t i = 0; i < maxOut; ++i) outputs[i].slot = &outputPointers[i];
}

// --- Default hooks ----------------------------------------------------------

void IEffectBase::ResetState() { Guard g(lock); }
void IEffectBase::ParamChanged(int32_t) { Guard g(lock); }

void IEffectBase::ParamChangedLocked(int32_t index) {
  Guard g(lock);
  ParamChanged(index);
}

void IEffectBase::RenderBlock(double**, double**, int32_t frames) { CopyInputsToOutputs(frames); }
void IEffectBase::OnActiveChange(bool) { Guard g(lock); }
void IEffectBase::OnMouseOverParam(int32_t) { Guard g(lock); }

bool IEffectBase::IsParamRestorable(int32_t, int32_t) {
  Guard g(lock);
  return true;
}

void IEffectBase::TimeSignature(int32_t* numerator, int32_t* denominator) {
  if (numerator) *numerator = 4;
  if (denominator) *denominator = 4;
}

void IEffectBase::GetTimeInfo(HostTimeInfo* info) {
  if (info) *info = HostTimeInfo();
}

// --- Parameters --------------------------------------------------------------

IParamEntry* IEffectBase::Param(int32_t index) {
  return index >= 0 && index < ParamCount() ? &params[index] : nullptr;
}

const IParamEntry* IEffectBase::Param(int32_t index) const {
  return index >= 0 && index < ParamCount() ? &params[index] : nullptr;
}

const IPresetEntry* IEffectBase::Preset(int32_t index) const {
  return index >= 0 && index < PresetCount() ? &presets[index] : nullptr;
}

// --- Host, identity, timing --------------------------------------------------

// The host's version is not consulted: only its name tells host kinds apart.
void IEffectBase::IdentifyHost(const char* hostName, int32_t /*version*/) {
  hostKind = HostKindFromName(hostName);
}

bool IEffectBase::IsChannelPairSupported(int32_t in, int32_t out) const {
  for (const ChannelPair& pair : channelPairs)
    if ((in < 0 || pair.inputs == in) && (out < 0 || pair.outputs == out)) return true;
  return false;
}

double IEffectBase::SamplesPerBeat() {
  double tempo = Tempo();
  return tempo > 0.0 ? sampleRate * 60.0 / tempo : 0.0;
}

void IEffectBase::VersionText(char* text, int size) const {
  std::snprintf(text, size, "v%d.%02d", version >> 16, (version >> 8) & 0xFF);
}
