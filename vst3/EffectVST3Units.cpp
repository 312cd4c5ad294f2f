// IEffectVST3: units (the root and one per parameter group) and the factory
// program list.
#include "vst3/EffectVST3.h"
#include "vst3/WideText.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

int32 PLUGIN_API IEffectVST3::getUnitCount() { return static_cast<int32>(groupNames.size()) + 1; }

tresult PLUGIN_API IEffectVST3::getUnitInfo(int32 index, UnitInfo& info) {
  if (index == 0) {
    info.id = kRootUnitId;
    info.parentUnitId = kNoParentUnitId;
    WidenText(info.name, "Root Unit");
    info.programListId = static_cast<ProgramListID>(kProgramChangeId);
    return kResultOk;
  }
  if (index < 0 || index > static_cast<int32>(groupNames.size())) return kResultFalse;
  info.id = index;
  info.parentUnitId = kRootUnitId;
  WidenText(info.name, groupNames[index - 1].c_str());
  info.programListId = kNoProgramListId;
  return kResultOk;
}

int32 PLUGIN_API IEffectVST3::getProgramListCount() { return PresetCount() > 0 ? 1 : 0; }

tresult PLUGIN_API IEffectVST3::getProgramListInfo(int32 index, ProgramListInfo& info) {
  if (index != 0) return kResultFalse;
  info.id = static_cast<ProgramListID>(kProgramChangeId);
  WidenText(info.name, "Factory Presets");
  info.programCount = PresetCount();
  return kResultOk;
}

tresult PLUGIN_API IEffectVST3::getProgramName(ProgramListID listId, int32 index, String128 name) {
  if (listId != static_cast<ProgramListID>(kProgramChangeId) || !name) return kResultFalse;
  WidenText(name, PresetName(index), kHostTextUnits);
  return kResultOk;
}

tresult PLUGIN_API IEffectVST3::getProgramInfo(ProgramListID, int32, Vst::CString, String128) {
  return kNotImplemented;
}

tresult PLUGIN_API IEffectVST3::hasProgramPitchNames(ProgramListID, int32) {
  return kNotImplemented;
}

tresult PLUGIN_API IEffectVST3::getProgramPitchName(ProgramListID, int32, int16, String128) {
  return kNotImplemented;
}

tresult PLUGIN_API IEffectVST3::selectUnit(UnitID) { return kNotImplemented; }

tresult PLUGIN_API IEffectVST3::getUnitByBus(MediaType, BusDirection, int32, int32, UnitID&) {
  return kNotImplemented;
}

tresult PLUGIN_API IEffectVST3::setUnitProgramData(int32, int32, IBStream*) {
  return kNotImplemented;
}
