// IEditor: parameter values between the plug-in and the bound controls, and
// the drawing surface. Kept apart from the rest of the editor because the
// plug-in base calls these directly.
#include "editor/Editor.h"
#include "editor/EditorElement.h"
#include "framework/EffectBase.h"
#include "raster/MemBitmap.h"
#include "raster/SysBitmap.h"

void IEditor::PrepareDrawing() {
  drawBitmap.reset(new PX_SysBitmap(width, height));
  scratchBitmap.reset(new PX_MemBitmap(0, 0, 4));
  // Parameters defined after the editor was made get their slots now,
  // before the plug-in can post anything.
  const int32_t params = plug ? plug->ParamCount() : 0;
  if (params != posted.Count()) posted.Resize(params);
}

void IEditor::SetParamFromPlug(int32_t index, double value, bool isNormalized) {
  if (!isNormalized) {
    const IParamEntry* param = plug ? plug->Param(index) : nullptr;
    if (!param) return;
    value = param->PlainToNormalized(value);
  }
  posted.PostValue(index, value);
}

void IEditor::ShowPostedValues() {
  for (int32_t index = 0; index < posted.Count(); ++index) {
    const int32_t hidden = posted.TakeHidden(index);
    double value = 0.0;
    const bool hasValue = posted.TakeValue(index, &value);
    if (hidden < 0 && !hasValue) continue;
    for (IEditorElement* control : controls) {
      if (control->ParamIndex() != index) continue;
      if (hidden >= 0) control->Hide(hidden == 1);
      if (hasValue) control->ApplyPlugValue(value);
    }
  }
}

void IEditor::PushParamValue(int32_t index, double normalized) {
  if (index < 0) return;
  for (IEditorElement* control : controls)
    if (control->ParamIndex() == index) control->ApplyUserValue(normalized);
}

void IEditor::HideParamControls(int32_t index, bool hide) { posted.PostHidden(index, hide); }

void IEditor::RedrawAll() {
  if (!controls.empty()) controls[0]->MarkDirty(false);
}

