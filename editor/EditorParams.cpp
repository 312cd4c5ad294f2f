// IEditor: parameter values between the plug-in and the bound controls, and
// the drawing surface. Kept apart from the rest of the editor because the
// plug-in base calls these directly.
#include "editor/Editor.h"
#include "editor/EditorElement.h"
#include "framework/EffectBase.h"
#include "raster/MemBitmap.h"
#include "raster/SysBitmap.h"

void IEditor::PrepareDrawing() {
  drawBitmap.reset(new PX_SysBitmap(ScaledWidth(), ScaledHeight()));
  scratchBitmap.reset(new PX_MemBitmap(0, 0, 4));
}

bool IEditor::SetScale(double factor) {
  const IEditorScale next(factor);
  if (next == scale) return false;
  scale = next;
  if (drawBitmap) drawBitmap->setSize(ScaledWidth(), ScaledHeight());
  RedrawAll();
  return true;
}

void IEditor::SetParamFromPlug(int32_t index, double value, bool isNormalized) {
  if (!isNormalized) {
    const IParamEntry* param = plug ? plug->Param(index) : nullptr;
    if (!param) return;
    value = param->PlainToNormalized(value);
  }
  for (IEditorElement* control : controls)
    if (control->ParamIndex() == index && index >= 0) control->ApplyPlugValue(value);
}

void IEditor::PushParamValue(int32_t index, double normalized) {
  if (index < 0) return;
  for (IEditorElement* control : controls)
    if (control->ParamIndex() == index) control->ApplyUserValue(normalized);
}

void IEditor::HideParamControls(int32_t index, bool hide) {
  if (index < 0) return;
  for (IEditorElement* control : controls)
    if (control->ParamIndex() == index) control->Hide(hide);
}

void IEditor::RedrawAll() {
  if (!controls.empty()) controls[0]->MarkDirty(false);
}

