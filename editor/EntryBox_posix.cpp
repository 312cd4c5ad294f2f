// The value entry box on X11: a one-line box drawn by the editor itself into
// its bitmap, over the control, taking keys from the window or the host.
// Keys and clicks only record a decision; the editor's timer carries it out
// at the next tick, as on Windows.
#include <X11/Xlib.h>

#include <string>

#include "editor/EditorElement.h"
#include "editor/EditorWin.h"
#include "editor/EditorX11System.h"
#include "editor/FontCache.h"
#include "framework/ParamEntry.h"
#include "raster/CachedFont.h"
#include "raster/Font.h"

namespace {

const IArgb kBoxFill(255, 255, 255, 255);
const IArgb kBoxFrame(255, 100, 100, 100);
const IArgb kText(255, 0, 0, 0);
const IArgb kSelectionFill(255, 51, 102, 204);
const IArgb kSelectedText(255, 255, 255, 255);

ITextStyle& BoxStyle(const IArgb& colour) {
  static ITextStyle style("Arial", 14, kText, 0, kAlignNear);
  style.colour = colour;
  return style;
}

int TextWidth(const std::string& text, size_t count) {
  if (count == 0) return 0;
  // Measured in face pixels, where the box is laid out; the drawing scales.
  PX_CachedFont* font = FontCache::ForStyle(BoxStyle(kText));
  if (!font) return 0;
  PX_Rect r{0, 0, 1 << 20, 1 << 10};
  font->drawText(nullptr, text.c_str(), static_cast<int>(count), &r,
                             PX_TEXT_CALCRECT | PX_TEXT_NOCLIP);
  return r.right - r.left;
}

}  // namespace

void IEditorWin::PromptParamEntry(IEditorElement* control, IParamEntry* param, bool) {
  if (editControl || !control || !param) return;
  editControl = control;
  editParam = param;
  editState = IEntryState::kTyping;
  // Headless: the entry exists without a box; CommitEntry decides.
  if (!IEditorWinSystem::HasWindow(this)) return;

  Native& n = *native;
  char text[IParamEntry::kFormatBufferSize] = {};
  param->FormatValue(param->value, false, text);
  n.entry.Reset(text);
  n.entryRect = EntryRect(control, param);
  n.entryOpen = true;
  // Typing goes to the box while it is open; the keyboard goes back after.
  XGetInputFocus(n.display, &n.focusBefore, &n.revertBefore);
  XSetInputFocus(n.display, n.window, RevertToParent, CurrentTime);
  IEditorWinSystem::DrawEntryBox(this);
  IEditorWinSystem::PutArea(this, n.entryRect);
}

bool IEditorWin::EntryBoxOpen() const { return native && native->entryOpen; }

std::string IEditorWin::EntryBoxText() const { return native ? native->entry.Text() : std::string(); }

void IEditorWin::DestroyEntryBox() { IEditorWinSystem::DestroyEntryBox(this); }

bool IEditorWinSystem::EntryBoxClick(IEditorWin* editor, bool left, int x, int y) {
  IEditorWin::Native& n = *editor->native;
  const IRect& r = n.entryRect;
  if (x >= r.L && x < r.R && y >= r.T && y < r.B) {
    editor->editState = IEntryState::kTyping;
    return true;
  }
  editor->editState = left ? IEntryState::kCommit : IEntryState::kCancel;
  return !left;
}

bool IEditorWinSystem::EntryKey(IEditorWin* editor, const IKeyPress& press) {
  IEditorWin::Native& n = *editor->native;
  if (press.key == IKey::kEnter) {
    editor->editState = IEntryState::kCommit;
    return true;
  }
  if (press.key == IKey::kEscape) {
    editor->editState = IEntryState::kCancel;
    return true;
  }
  if (!n.entry.Apply(press)) return false;
  editor->editState = IEntryState::kTyping;
  // The box shows each key at once, as a system edit box would.
  DrawEntryBox(editor);
  PutArea(editor, n.entryRect);
  return true;
}

void IEditorWinSystem::FocusChanged(IEditorWin* editor, bool in) {
  if (!editor->native->entryOpen) return;
  // Losing the keyboard does not close the box: a click in the editor decides.
  editor->editState = in ? IEntryState::kTyping : IEntryState::kIdle;
}

void IEditorWinSystem::DrawEntryBox(IEditorWin* editor) {
  IEditorWin::Native& n = *editor->native;
  const IRect& r = n.entryRect;
  editor->FillRect(kBoxFill, r, nullptr);
  editor->FillRect(kBoxFrame, IRect(r.L, r.T, r.R, r.T + 1), nullptr);
  editor->FillRect(kBoxFrame, IRect(r.L, r.B - 1, r.R, r.B), nullptr);
  editor->FillRect(kBoxFrame, IRect(r.L, r.T, r.L + 1, r.B), nullptr);
  editor->FillRect(kBoxFrame, IRect(r.R - 1, r.T, r.R, r.B), nullptr);

  const std::string& text = n.entry.Text();
  int width = TextWidth(text, text.size());
  int32_t left = (r.L + r.R) / 2 - width / 2;  // centred, as the system box does
  IRect line(left, r.T + 1, left + width, r.B - 1);
  if (n.entry.AllSelected()) {
    editor->FillRect(kSelectionFill, line, nullptr);
    editor->DrawText(&BoxStyle(kSelectedText), text.c_str(), line);
    return;
  }
  editor->DrawText(&BoxStyle(kText), text.c_str(), line);
  int32_t caretX = left + TextWidth(text, n.entry.Caret());
  editor->FillRect(kText, IRect(caretX, r.T + 2, caretX + 1, r.B - 2), nullptr);
}

void IEditorWinSystem::DestroyEntryBox(IEditorWin* editor) {
  IEditorWin::Native& n = *editor->native;
  if (!n.entryOpen) return;
  n.entryOpen = false;
  if (n.window) {
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(n.display, &focus, &revert);
    if (focus == n.window && n.focusBefore != None && n.focusBefore != PointerRoot)
      XSetInputFocus(n.display, n.focusBefore, n.revertBefore, CurrentTime);
  }
  n.focusBefore = 0;
  // The box may reach past its control: everything beneath it is drawn again.
  editor->RedrawAll();
}
