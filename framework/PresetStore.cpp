// IEffectBase: the saved parameter state and the preset store.
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "framework/EffectBase.h"

using Guard = std::lock_guard<std::recursive_mutex>;

bool IEffectBase::SaveParams(StateChunk& chunk) {
  Guard g(lock);
  bool ok = true;
  for (const IParamEntry& param : params) {
    chunk.AppendDouble(param.value);
    ok = ok && chunk.Size() > 0;
  }
  return ok;
}

int32_t IEffectBase::LoadParams(const StateChunk& chunk, int32_t start) {
  Guard g(lock);
  int32_t pos = start;
  for (int32_t i = 0; i < ParamCount() && pos >= 0; ++i) {
    double x = 0.0;
    pos = chunk.ReadDouble(pos, &x);
    // A parameter whose eight bytes are not all there keeps its value.
    if (pos < 0) break;
    if (!IsParamRestorable(i, currentPreset)) continue;
    IParamEntry& param = params[i];
    if (x != x) x = param.value;  // a NaN from a file is no value: keep ours
    param.value = x < param.min ? param.min : (x > param.max ? param.max : x);
    ParamChanged(i);
  }
  return pos;
}

void IEffectBase::AddPreset(const char* name, ...) {
  IPresetEntry* slot = nullptr;
  for (IPresetEntry& preset : presets) {
    if (!preset.defined) {
      slot = &preset;
      break;
    }
  }
  if (!slot) return;
  slot->defined = true;
  CopyText(slot->name, name, IPresetEntry::kNameSize);
  slot->contents.Clear();
  va_list args;
  va_start(args, name);
  for (const IParamEntry& param : params) {
    double v = param.kind == kKindDouble ? va_arg(args, double) : static_cast<double>(va_arg(args, int));
    slot->contents.AppendDouble(v);
  }
  va_end(args);
}

void IEffectBase::AddPlaceholderPresets(const char* name, int32_t count) {
  for (int32_t n = 0; n < count; ++n) {
    for (IPresetEntry& preset : presets) {
      if (preset.defined) continue;
      preset.defined = true;
      CopyText(preset.name, name ? name : "Default", IPresetEntry::kNameSize);
      break;
    }
  }
}

bool IEffectBase::SelectPreset(int32_t index) {
  if (index < 0 || index >= PresetCount()) return false;
  Guard g(lock);
  IPresetEntry& preset = presets[index];
  if (preset.defined) {
    currentPreset = index;
    int32_t pos = LoadParams(preset.contents, 0);
    if (pos <= 0) return false;
    RefreshEditorParams();
    return true;
  }
  int userPresets = 0;
  for (const IPresetEntry& p : presets)
    if (std::strstr(p.name, "user preset")) ++userPresets;
  preset.defined = true;
  std::snprintf(preset.name, sizeof preset.name, "%s %d", "user preset", userPresets + 1);
  currentPreset = index;
  RefreshEditorParams();
  return true;
}

const char* IEffectBase::PresetName(int32_t index) const {
  const IPresetEntry* preset = Preset(index);
  return preset ? preset->name : "";
}

bool IEffectBase::SavePresetStore(StateChunk& chunk) {
  Guard g(lock);
  const int fullSize = 8 * ParamCount();
  for (const IPresetEntry& preset : presets) {
    chunk.AppendText(preset.name);
    // The reader takes a full parameter set after every defined mark, so a
    // slot that holds no values (a placeholder) goes out as not defined
    // rather than throwing every later slot out of step.
    bool holdsValues = preset.defined && preset.contents.Size() == fullSize;
    chunk.AppendByte(holdsValues ? 1 : 0);
    if (holdsValues) chunk.AppendBytes(preset.contents.Data(), preset.contents.Size());
  }
  return chunk.Size() > 0;
}

int32_t IEffectBase::LoadPresetStore(const StateChunk& chunk, int32_t start) {
  Guard g(lock);
  int32_t pos = start;
  for (IPresetEntry& preset : presets) {
    if (pos < 0) break;
    int32_t textEnd = chunk.ReadText(pos, preset.name, IPresetEntry::kNameSize);
    if (textEnd < 0) {
      preset.name[0] = '\0';
      pos = -1;
      break;
    }
    uint8_t defined = 0;
    pos = chunk.ReadByte(textEnd, &defined);
    if (pos < 0) break;
    preset.defined = defined != 0;
    if (!preset.defined) continue;
    pos = LoadParams(chunk, pos);
    if (pos < 0) break;
    preset.contents.Clear();
    SaveParams(preset.contents);
  }
  SelectPreset(currentPreset);
  return pos;
}
