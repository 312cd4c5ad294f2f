#include "instrument/Ondivox.h"


namespace {

EffectConfig OndivoxConfig() {
  EffectConfig config;
  config.paramCount = kNumParams;
  config.channelIo = "1-1 2-2";
  config.presetCount = kNumPresetSlots;
  config.effectName = "Ondivox";
  config.productName = "";
  config.manufacturerName = "Zentrova";
  config.version = 0x10A00;  // v1.10
  config.uniqueId = 0x6B75686A;       // 'kuhj'
  config.manufacturerId = 0x5A747641; // 'ZtvA'
  config.latency = 0;
  config.wantsMidi = false;
  config.usesChunks = false;
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
