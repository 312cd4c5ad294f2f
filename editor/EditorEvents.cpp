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

// A press on a bound control starts a host gesture, which its release ends;
// a right press (prompting) does not: it only opens a value prompt, and the
// gesture, if any, is the commit of what is typed or chosen there.
void IEditor::BeginPress(IEditorElement* control, bool prompting) {
  rightPress = prompting;
  pressParam = -1;
  if (rightPress || !control->IsBound() || !plug) return;
  pressParam = control->ParamIndex();
  plug->BeginParamEdit(pressParam);
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
  BeginPress(control, mod.R);
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
    pressParam = -1;
    rightPress = false;
    return;
  }
  IEditorElement* control = controls[i];
  control->MouseUp(x, y, mod);
  // Only the gesture this press began ends: a press the window kept for
  // itself (one that closed the entry box) began none.
  if (pressParam >= 0 && control->ParamIndex() == pressParam && plug) plug->EndParamEdit(pressParam);
  pressParam = -1;
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
  BeginPress(control, false);  // a double click resets, with either button
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
