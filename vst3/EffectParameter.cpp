#include "vst3/EffectParameter.h"

#include "vst3/WideText.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

IEffectParameter::IEffectParameter(IParamEntry* entry, ParamID id, UnitID unit) : entry(entry) {
  info.id = id;
  WidenText(info.title, entry->Name());
  info.shortTitle[0] = 0;
  WidenText(info.units, entry->Label());
  info.stepCount = entry->kind == kKindDouble ? 0 : static_cast<int32>(entry->max - entry->min);
  info.defaultNormalizedValue = entry->PlainToNormalized(entry->defaultValue);
  info.unitId = unit;
  info.flags = entry->canAutomate ? ParameterInfo::kCanAutomate : 0;
  valueNormalized = info.defaultNormalizedValue;
  precision = entry->displayPrecision;
}

void IEffectParameter::toString(ParamValue normalized, String128 text) const {
  char buffer[IParamEntry::kFormatBufferSize];
  entry->FormatValue(normalized, true, buffer);
  WidenText(text, buffer, kHostTextUnits);
}

bool IEffectParameter::fromString(const TChar* text, ParamValue& normalized) const {
  if (!text) return false;
  char buffer[128];
  NarrowText(buffer, text, sizeof buffer);
  double plain = 0.0;
  if (!entry->ParseText(buffer, &plain)) return false;
  normalized = entry->PlainToNormalized(plain);
  return true;
}

ParamValue IEffectParameter::toPlain(ParamValue normalized) const {
  return entry->NormalizedToPlain(normalized);
}

ParamValue IEffectParameter::toNormalized(ParamValue plain) const {
  return entry->PlainToNormalized(plain);
}
