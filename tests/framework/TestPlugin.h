// A small plug-in for framework tests: three parameters, a few presets, and
// a record of what the framework asked of it and told the host.
#pragma once

#include <string>
#include <vector>

#include "framework/EffectBase.h"

class TestPlugin : public IEffectBase {
 public:
  explicit TestPlugin(const char* channelIo = "1-1 2-2", int presets = 4)
      : IEffectBase(Config(channelIo, presets)) {
    Param(0)->DefineDouble("Gain", 1.0, 0.0, 10.0, 0.01, "dB");
    Param(1)->DefineInt("Steps", 3, -5, 5, "");
    Param(2)->DefineEnum("Mode", 0, 3, "");
  }

  void ParamChanged(int32_t index) override { changed.push_back(index); }
  void RenderBlock(double**, double** out, int32_t frames) override {
    ++renders;
    for (int c = 0; c < OutputChannelCount(); ++c)
      for (int i = 0; i < frames; ++i) out[c][i] = 0.25 * (c + 1);
  }
  void BeginParamEdit(int32_t index) override { host.push_back("begin " + std::to_string(index)); }
  void PerformParamEdit(int32_t index, double v) override {
    host.push_back("perform " + std::to_string(index) + " " + std::to_string(v));
  }
  void EndParamEdit(int32_t index) override { host.push_back("end " + std::to_string(index)); }

  void SetReady(bool ready) { isReady = ready; }
  void SetTempo(double bpm) { tempo = bpm; }
  double Tempo() override { return tempo; }

  std::vector<int32_t> changed;
  std::vector<std::string> host;
  int renders = 0;
  double tempo = 0.0;

 private:
  static EffectConfig Config(const char* channelIo, int presets) {
    EffectConfig c;
    c.paramCount = 3;
    c.channelIo = channelIo;
    c.presetCount = presets;
    c.version = 0x10A00;
    return c;
  }
};
