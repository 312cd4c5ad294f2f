#include "instrument/Ondivox.h"

namespace {

EffectConfig OndivoxConfig() {
  EffectConfig config;
  config.paramCount = kNumParams;
  config.channelIo = "1-1 2-2";
  config.presetCount = kNumPresetSlots;
  config.version = 0x10A00;  // v1.10
  config.latency = 0;
  config.wantsMidi = false;
  config.isInstrument = false;
  config.apiKind = 1;
  return config;
}

}  // namespace

CLS_ONDIVOX::CLS_ONDIVOX() : IEffectVST3(OndivoxConfig(), 0), wallClock(WallClock::System()) {
  for (int& a : applied) a = kNotApplied;
  mixInput = InputChannelCount() == 2;
  DefineParameters();
  BuildEditor();
  AddFactoryPresets();
}

CLS_ONDIVOX::~CLS_ONDIVOX() = default;
