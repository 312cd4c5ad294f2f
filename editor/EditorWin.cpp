// IEditorWin: the platform-neutral half of the window side.
#include "editor/EditorWin.h"

#include <algorithm>
#include <cstring>

#include "editor/EditorElement.h"
#include "framework/EffectBase.h"
#include "raster/Png.h"

IEditorWin::IEditorWin(IEffectBase* plug, int32_t width, int32_t height, int32_t frameRate)
    : IEditor(plug, width, height, frameRate) {}

IEditorWin::~IEditorWin() { CloseWindow(); }

void IEditorWin::Tick() {
  ShowPostedValues();
  DecideEntry();
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
  IEditorElement* control = editControl;
  IParamEntry* param = editParam;
  CloseEntry();
  if (!control || !param || !text) return;
  // Text that holds no finite number ("abc", "nan", "inf") commits the plain
  // value 0; the conversion holds any value in the parameter's range.
  double v = 0.0;
  if (!param->ReadTypedValue(text, &v)) v = 0.0;
  if (!control->IsBound() || !plug) return;
  int32_t index = control->ParamIndex();
  plug->BeginParamEdit(index);
  control->ApplyUserValue(param->PlainToNormalized(v));
  plug->EndParamEdit(index);
}

void IEditorWin::CancelEntry() { CloseEntry(); }

void IEditorWin::DecideEntry() {
  if (!EntryBoxOpen()) return;
  switch (editState) {
    case IEntryState::kTyping:
      editState = IEntryState::kIdle;
      break;
    case IEntryState::kCancel:
      DestroyEntryBox();
      CancelEntry();
      break;
    case IEntryState::kCommit: {
      std::string text = EntryBoxText();
      DestroyEntryBox();
      CommitEntry(text.c_str());
      break;
    }
    case IEntryState::kIdle:
      break;
  }
}

void IEditorWin::CloseEntry() {
  IEditorElement* control = editControl;
  editControl = nullptr;
  editParam = nullptr;
  editState = IEntryState::kIdle;
  // Repaint where the box was; the value itself is not sent again.
  if (control) control->MarkDirty(false);
}

IRect IEditorWin::EntryRect(const IEditorElement* control, IParamEntry* param) {
  char widest[IParamEntry::kFormatBufferSize] = {};
  param->FormatValue(1.0, true, widest);
  int32_t w = std::max(7 * static_cast<int32_t>(std::strlen(widest)) + 6, 32);
  const IRect& r = control->Rect();
  int32_t left = (r.L + r.R) / 2 - w / 2;
  int32_t top = (r.T + r.B) / 2 - 8;
  return IRect(left, top, left + w, top + 16);
}
