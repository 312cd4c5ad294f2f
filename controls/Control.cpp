#include "controls/Control.h"

#include <cmath>

#include "controls/PromptPopup.h"
#include "editor/Editor.h"
#include "framework/EffectBase.h"

IControl::IControl(IEffectBase* plug, int32_t paramIndex, const IRect& rect)
    : plug(plug), rect(rect), targetRect(rect), paramIndex(paramIndex < 0 ? -1 : paramIndex) {}

IParamEntry* IControl::Param() const { return plug && paramIndex >= 0 ? plug->Param(paramIndex) : nullptr; }

IEditor* IControl::Editor() const { return plug ? plug->Editor() : nullptr; }

void IControl::MoveBy(int32_t dx, int32_t dy) {
  rect = rect.Moved(dx, dy);
  targetRect = targetRect.Moved(dx, dy);
}

void IControl::MouseDown(int32_t, int32_t, const IMouseState& mod) {
  if (!mod.R || !IsBound()) return;
  IEditor* editor = Editor();
  if (!editor || editor->PopupWasOpenAtClick()) return;  // this click only closed the popup
  OpenValuePrompt();
}

void IControl::OpenValuePrompt() {
  IEditor* editor = Editor();
  IParamEntry* param = Param();
  if (!editor || !param) return;
  bool listed = param->kind == kKindEnum || param->kind == kKindBool;
  if (param->ValueTextCount() > 0 && listed) {
    OpenValuePopup(editor, param);
  } else {
    editor->PromptParamEntry(this, param, true);
    redraw = true;
  }
}

namespace {

// Centres a span on the control, keeping it 6 pixels inside the editor.
int32_t PopupShift(int32_t controlSize, int32_t popupStart, int32_t popupSize, int32_t editorSize) {
  int32_t d = static_cast<int32_t>((controlSize - popupSize) * 0.5);
  if (popupStart + d > 5) {
    if (popupStart + d + popupSize > editorSize - 6) d = editorSize - popupStart - popupSize - 6;
  } else {
    d = 6 - popupStart;
  }
  return d;
}

}  // namespace

void IControl::OpenValuePopup(IEditor* editor, IParamEntry* param) {
  auto* popup = new PromptPopup(plug, rect.L, rect.T, 70, 1, editor->popupText, editor->popupBack,
                                editor->popupFrame);
  popup->Hide(true);
  editor->AddControl(popup);
  editor->SetPopup(popup);
  for (int i = 0; i < param->ValueTextCount(); ++i) popup->AddItem(param->ValueTextAt(i).text);
  const IRect& p = popup->Rect();
  int32_t dx = PopupShift(rect.W(), p.L, p.W(), editor->Width());
  int32_t dy = PopupShift(rect.H(), p.T, p.H(), editor->Height());
  popup->MoveBy(dx, dy);
  popup->SetUp(param, this);
}

void IControl::MouseDoubleClick(int32_t, int32_t, const IMouseState&) {
  if (defaultValue < 0) return;
  value = defaultValue;
  MarkDirty(true);
}

void IControl::MouseWheel(int32_t, int32_t, const IMouseState& mod, int32_t notches) {
  IParamEntry* param = Param();
  if (!param) return;
  double step;
  if (param->kind == kKindInt || param->kind == kKindDouble || param->ValueTextCount() == 0)
    step = 0.01;
  else
    step = 0.5f / param->ValueTextCount();
  if (mod.C || mod.S) step *= 0.1;
  value += step * notches;
  MarkDirty(true);
}

void IControl::ApplyPlugValue(double v) {
  if (defaultValue < 0) {
    defaultValue = v;
  } else if (v == value) {
    return;
  }
  value = v;
  MarkDirty(false);
  redraw = true;
}

void IControl::ApplyUserValue(double v) {
  if (v != value) value = v;
  MarkDirty(true);
  redraw = true;
}

void IControl::Hide(bool h) {
  hidden = h;
  redraw = true;
  MarkDirty(false);
}

void IControl::SetGrayed(bool g) {
  grayed = g;
  blend.weight = g ? 0.25f : 1.0f;
  MarkDirty(false);
}

void IControl::MarkDirty(bool pushToPlug) {
  if (value < clampLo) value = clampLo;
  if (value > clampHi) value = clampHi;
  if (std::isnan(value)) value = clampLo;
  dirty = true;
  if (!pushToPlug || !IsBound() || !plug) return;
  IEditor* editor = Editor();
  if (editor && editor->InRightPress()) return;
  plug->SetParamFromEditor(paramIndex, value);
}

void IControl::SetHover(bool* hover, bool on) {
  if (on && *hover) return;
  *hover = on;
  MarkDirty(false);
}

void IControl::MarkClean() {
  dirty = redraw;
  redraw = false;
}
