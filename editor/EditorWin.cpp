// IEditorWin: the platform-neutral half of the window side.
#include "editor/EditorWin.h"

#include <cstdlib>

#include "controls/Control.h"
#include "framework/EffectBase.h"
#include "raster/Png.h"

IEditorWin::IEditorWin(IEffectBase* plug, int32_t width, int32_t height, int32_t frameRate)
    : IEditor(plug, width, height, frameRate) {}

IEditorWin::~IEditorWin() {
  CloseWindow();
  delete[] customColours;
  customColours = nullptr;
}

void IEditorWin::Tick() {
  // Every dirty flag is read before the first repaint, since drawing one
  // area marks all controls clean.
  IRect dirty[kMaxRepaintAreas];
  int32_t count = CollectDirtyAreas(dirty, kMaxRepaintAreas);
  for (int32_t i = 0; i < count; ++i) Repaint(dirty[i]);
  if (countdown > 0 && --countdown == 0 && plug) plug->FlushDeferredEdit();
  if (plug) plug->OnEditorTick();
}

PX_IBitmap* IEditorWin::LoadResourceImage(int32_t id, const char*) {
  return PX_ReadPngResource(module, id, nullptr);
}

void IEditorWin::CommitEntry(const char* text) {
  IControl* control = editControl;
  IParamEntry* param = editParam;
  CloseEntry();
  if (!control || !param || !text) return;
  double v = 0.0;
  if (!(param->ValueTextCount() > 0 && param->ValueForText(text, &v))) {
    v = std::strtod(text, nullptr);
    if (param->negateDisplay) v = -v;
  }
  if (!control->IsBound() || !plug) return;
  int32_t index = control->ParamIndex();
  plug->BeginParamEdit(index);
  control->ApplyUserValue(param->PlainToNormalized(v));
  plug->EndParamEdit(index);
}

void IEditorWin::CancelEntry() { CloseEntry(); }

void IEditorWin::CloseEntry() {
  IControl* control = editControl;
  editBox = nullptr;
  editControl = nullptr;
  editParam = nullptr;
  editOldProc = nullptr;
  editState = 0;
  // Repaint where the box was; the value itself is not sent again.
  if (control) control->MarkDirty(false);
}
