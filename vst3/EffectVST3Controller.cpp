// IEffectVST3: the edit-controller side: parameter registration, values and
// conversions, and edits travelling from the editor to the host.
#include <algorithm>

#include "pluginterfaces/vst/ivstcontextmenu.h"
#include "vst3/EffectParameter.h"
#include "vst3/EffectVST3.h"
#include "vst3/WideText.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

int32 IEffectVST3::UnitForGroup(const char* group) {
  if (!group || !group[0]) return 0;
  auto found = std::find(groupNames.begin(), groupNames.end(), group);
  if (found != groupNames.end()) return static_cast<int32>(found - groupNames.begin()) + 1;
  groupNames.push_back(group);
  return static_cast<int32>(groupNames.size());
}

void IEffectVST3::RegisterParameters() {
  if (PresetCount() > 0) {
    String128 title;
    WidenText(title, "Presets", 128);
    auto* list = new StringListParameter(title, kProgramChangeId, nullptr,
                                         ParameterInfo::kIsProgramChange | ParameterInfo::kIsList, 0);
    String128 empty = {};
    for (int32_t i = 0; i < PresetCount(); ++i) list->appendString(empty);
    parameters.addParameter(list);
  }
  for (int32_t i = 0; i < ParamCount(); ++i) {
    int32 unit = UnitForGroup(params[i].Group());
    parameters.addParameter(new IEffectParameter(&params[i], static_cast<ParamID>(i), unit));
    ParamChanged(i);
  }
}

tresult PLUGIN_API IEffectVST3::getParamStringByValue(ParamID id, ParamValue normalized,
                                                      String128 text) {
  if (!IsParamIndex(id) || !text) return kResultFalse;
  char buffer[IParamEntry::kFormatBufferSize];
  params[id].FormatValue(normalized, true, buffer);
  WidenText(text, buffer, 128);
  return kResultOk;
}

ParamValue PLUGIN_API IEffectVST3::plainParamToNormalized(ParamID id, ParamValue plain) {
  if (id == kProgramChangeId && PresetCount() > 1) return plain / (PresetCount() - 1);
  if (IsParamIndex(id)) return params[id].PlainToNormalized(plain);
  return plain;
}

ParamValue PLUGIN_API IEffectVST3::getParamNormalized(ParamID id) {
  if (id == kBypassId) return isBypassed ? 1.0 : 0.0;
  if (id == kProgramChangeId && PresetCount() > 1)
    return static_cast<double>(currentPreset) / (PresetCount() - 1);
  if (IsParamIndex(id)) return params[id].NormalizedValue();
  return 0.0;
}

tresult PLUGIN_API IEffectVST3::setParamNormalized(ParamID id, ParamValue value) {
  if (id == kBypassId) {
    isBypassed = value != 0.0;
  } else if (id == kProgramChangeId) {
    if (PresetCount() > 0) currentPreset = PresetIndexFor(value);
  } else if (IsParamIndex(id)) {
    params[id].SetFromNormalized(value >= 0.0 ? std::min(value, 1.0) : 0.0);
  } else {
    return kResultFalse;
  }
  return kResultOk;
}

// --- Edits from the editor to the host ---------------------------------------

void IEffectVST3::BeginParamEdit(int32_t index) {
  if (componentHandler) componentHandler->beginEdit(static_cast<ParamID>(index));
}

void IEffectVST3::PerformParamEdit(int32_t index, double normalized) {
  if (componentHandler) componentHandler->performEdit(static_cast<ParamID>(index), normalized);
}

void IEffectVST3::EndParamEdit(int32_t index) {
  if (componentHandler) componentHandler->endEdit(static_cast<ParamID>(index));
}

void IEffectVST3::PopupParamMenu(int32_t index, int32_t x, int32_t y) {
  if (!componentHandler || views.empty()) return;
  FUnknownPtr<IComponentHandler3> handler3(componentHandler);
  if (!handler3) return;
  ParamID id = static_cast<ParamID>(index);
  IContextMenu* menu = handler3->createContextMenu(views.front(), &id);
  if (!menu) return;
  menu->popup(x, y);
  menu->release();
}

void IEffectVST3::ChangeLatency(int32_t samples) {
  latency = samples;
  if (componentHandler) componentHandler->restartComponent(kLatencyChanged);
}
