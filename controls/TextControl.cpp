#include "controls/TextControl.h"

#include "editor/Editor.h"

ITextControl::ITextControl(IEffectBase* plug, const IRect& rect, const ITextStyle& style, const char* text)
    : IControl(plug, -1, rect), style(style), text(text ? text : "") {}

bool ITextControl::Draw(IEditor* editor) {
  if (!text.empty()) editor->DrawText(&style, text.c_str(), rect);
  return true;
}

void ITextControl::SetText(const char* t) {
  const char* next = t ? t : "";
  if (text == next) return;
  MarkDirty(false);
  text = next;
}
