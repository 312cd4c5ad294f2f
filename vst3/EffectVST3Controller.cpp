// IEffectVST3: the edit-controller side: parameter registration, values and
// conversions, and edits travelling from the editor to the host.
#include <algorithm>
#include <cmath>

#include "pluginterfaces/vst/ivstcontextmenu.h"
#include "pluginterfaces/vst/ivstmessage.h"
#include "vst3/EffectParameter.h"
#include "vst3/EffectVST3.h"
#include "vst3/WideText.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

using Guard = std::lock_guard<std::recursive_mutex>;

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
    WidenText(title, "Presets");
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
  RegisterBypassParameter();
}

// After the instrument's parameters, so every existing ID and index stays.
// Only a state saved while bypassed carries it (see EffectVST3State.cpp).
void IEffectVST3::RegisterBypassParameter() {
  String128 title;
  WidenText(title, "Bypass");
  auto* bypass = new StringListParameter(title, kBypassId, nullptr,
                                         ParameterInfo::kCanAutomate | ParameterInfo::kIsBypass, 0);
  String128 text;
  for (const char* state : {"Off", "On"}) {
    WidenText(text, state);
    bypass->appendString(text);
  }
  parameters.addParameter(bypass);
}

tresult PLUGIN_API IEffectVST3::queryInterface(const TUID iid, void** obj) {
  if (!iid || !obj) return kInvalidArgument;
  QUERY_INTERFACE(iid, obj, IUnitInfo::iid, IUnitInfo)
  QUERY_INTERFACE(iid, obj, IOffscreenEditor::iid, IOffscreenEditor)
  return SingleComponentEffect::queryInterface(iid, obj);
}

tresult PLUGIN_API IEffectVST3::getParameterInfo(int32 index, ParameterInfo& info) {
  if (index < 0 || index >= parameters.getParameterCount()) return kInvalidArgument;
  return EditController::getParameterInfo(index, info);
}

tresult PLUGIN_API IEffectVST3::getParamStringByValue(ParamID id, ParamValue normalized,
                                                      String128 text) {
  if (!text) return kInvalidArgument;
  if (id == kBypassId) {
    WidenText(text, BypassOn(normalized) ? "On" : "Off", kHostTextUnits);
    return kResultOk;
  }
  if (!IsParamIndex(id)) return kResultFalse;
  char buffer[IParamEntry::kFormatBufferSize];
  params[id].FormatValue(normalized, true, buffer);
  WidenText(text, buffer, kHostTextUnits);
  return kResultOk;
}

tresult PLUGIN_API IEffectVST3::getParamValueByString(ParamID id, TChar* text,
                                                      ParamValue& normalized) {
  if (!text) return kInvalidArgument;
  Parameter* parameter = getParameterObject(id);
  if (!parameter) return kResultFalse;
  ParamValue value = 0.0;
  if (!parameter->fromString(text, value)) return kResultFalse;
  normalized = value;
  return kResultOk;
}

ParamValue PLUGIN_API IEffectVST3::plainParamToNormalized(ParamID id, ParamValue plain) {
  if (id == kProgramChangeId && PresetCount() > 1) return plain / (PresetCount() - 1);
  if (IsParamIndex(id)) return params[id].PlainToNormalized(plain);
  return plain;
}

ParamValue PLUGIN_API IEffectVST3::getParamNormalized(ParamID id) {
  ParamValue value = 0.0;
  {
    Guard g(lock);
    if (id == kBypassId)
      value = isBypassed ? 1.0 : 0.0;
    else if (id == kProgramChangeId && PresetCount() > 1)
      value = static_cast<double>(currentPreset) / (PresetCount() - 1);
    else if (IsParamIndex(id))
      value = params[id].NormalizedValue();
  }
  return value;
}

tresult PLUGIN_API IEffectVST3::setParamNormalized(ParamID id, ParamValue value) {
  if (id == kProgramChangeId) {
    // The host's program menu: the program's values are the controller's
    // at once; the host hears it should read them again at the next turn,
    // not now, while it may hold a lock it takes again to hear it.
    if (PresetCount() == 0) return kResultOk;
    {
      Guard g(lock);
      SelectPreset(PresetIndexFor(value));
    }
    AskRestart(kParamValuesChanged);
    return kResultOk;
  }
  Guard g(lock);
  if (id == kBypassId) {
    isBypassed = BypassOn(value);
  } else if (IsParamIndex(id)) {
    params[id].SetFromNormalized(ClampNormalized(value));
  } else {
    return kResultFalse;
  }
  return kResultOk;
}

// Never with the plug-in lock held: a host may answer by reading every
// value, or by waiting for the audio thread.
void IEffectVST3::DeliverPendingRestart() {
  const int32 flags = pendingRestart.exchange(0);
  if (flags && componentHandler) componentHandler->restartComponent(flags);
}

tresult PLUGIN_API IEffectVST3::setComponentHandler(IComponentHandler* handler) {
  const tresult result = SingleComponentEffect::setComponentHandler(handler);
  notifier.Start(hostContext, handler);
  return result;
}

tresult PLUGIN_API IEffectVST3::notify(IMessage* message) {
  if (!message) return kInvalidArgument;
  if (!message->getAttributes()) return kResultFalse;
  return SingleComponentEffect::notify(message);
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
  AskRestart(kLatencyChanged);
}
