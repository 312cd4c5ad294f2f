// IEditor: routing mouse and keyboard events to controls.
#include "editor/Editor.h"
#include "editor/EditorElement.h"
#include "framework/EffectBase.h"

int32_t IEditor::ControlAt(int32_t x, int32_t y) const {
  if (captureIndex >= 0) return captureIndex;
  for (int32_t i = ControlCount() - 1; i >= 0; --i) {
    const IEditorElement* control = controls[i];
    if (control->IsHidden() || control->IsGrayed()) continue;
    if (control->HitTest(x, y)) return i;
  }
  return -1;
}

void IEditor::ForgetPointer() {
  lastX = lastY = -1;
  mouseOverIndex = -1;
}

void IEditor::HandleMouseDown(int32_t x, int32_t y, const IMouseState& mod) {
  lastX = lastY = -1;
  captureIndex = -1;
  releaseDropped = false;
  int32_t i = ControlAt(x, y);
  if (i < 0) return;
  IEditorElement* control = controls[i];
  captureIndex = i;
  lastX = x;
  lastY = y;
  // A new gesture ends a wheel gesture still waiting for its countdown.
  if (plug) plug->FlushDeferredEdit();
  popupOpenAtClick = popup != nullptr;
  if (popup && IndexOf(popup) >= 0 && control != popup && control->Owner() != popup) {
    ClosePopup(false);
    captureIndex = IndexOf(control);
  }
  // The right button only opens a value prompt: the gesture, if any, is the
  // commit of what is typed or chosen there.
  rightPress = mod.R;
  if (!rightPress && control->IsBound() && plug) plug->BeginParamEdit(control->ParamIndex());
  control->MouseDown(x, y, mod);
  popupOpenAtClick = false;
}

void IEditor::HandleMouseUp(int32_t x, int32_t y, const IMouseState& mod) {
  bool dropped = releaseDropped;
  releaseDropped = false;
  int32_t i = dropped ? -1 : ControlAt(x, y);
  captureIndex = -1;
  lastX = lastY = -1;
  if (i < 0) {
    rightPress = false;
    return;
  }
  IEditorElement* control = controls[i];
  control->MouseUp(x, y, mod);
  if (!rightPress && control->IsBound() && plug) plug->EndParamEdit(control->ParamIndex());
  rightPress = false;
}

void IEditor::HandleMouseDrag(int32_t x, int32_t y, const IMouseState& mod) {
  if (captureIndex < 0) return;
  if (x == lastX && y == lastY) return;
  controls[captureIndex]->MouseDrag(x, y, x - lastX, y - lastY, mod);
  lastX = x;
  lastY = y;
}

bool IEditor::HandleDoubleClick(int32_t x, int32_t y, const IMouseState& mod) {
  lastX = lastY = -1;
  captureIndex = -1;
  releaseDropped = false;
  int32_t i = ControlAt(x, y);
  if (i < 0) return false;
  IEditorElement* control = controls[i];
  if (plug) plug->FlushDeferredEdit();
  if (control->IsBound() && plug) plug->BeginParamEdit(control->ParamIndex());
  control->MouseDoubleClick(x, y, mod);
  return false;
}

void IEditor::HandleMouseWheel(int32_t x, int32_t y, const IMouseState& mod, int32_t notches) {
  int32_t i = ControlAt(x, y);
  if (i < 0) return;
  IEditorElement* control = controls[i];
  int32_t index = control->ParamIndex();
  bool bound = control->IsBound() && plug;
  if (bound) {
    plug->OnWheelStart(index);
    plug->BeginWheelEdit(index);
  }
  control->MouseWheel(x, y, mod, notches);
  if (bound) plug->EndParamEditDeferred(index);
}

void IEditor::HandleKeyDown(int32_t x, int32_t y, int32_t key) {
  int32_t i = ControlAt(x, y);
  if (i >= 0) controls[i]->KeyDown(x, y, key);
}

bool IEditor::HandleMouseOver(int32_t x, int32_t y, const IMouseState& mod) {
  if (!handleMouseOver) return false;
  int32_t i = ControlAt(x, y);
  if (i < 0) return true;
  lastX = x;
  lastY = y;
  IEditorElement* control = controls[i];
  control->MouseOver(x, y, mod);
  if (control->IsBound() && plug) plug->OnMouseOverParam(control->ParamIndex());
  if (mouseOverIndex >= 0 && mouseOverIndex != i && mouseOverIndex < ControlCount())
    controls[mouseOverIndex]->MouseOut();
  mouseOverIndex = i;
  return true;
}

void IEditor::HandleMouseOut() {
  for (IEditorElement* control : controls) control->MouseOut();
  mouseOverIndex = -1;
}
