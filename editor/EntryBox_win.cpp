// The value entry box: a one-line edit control over a control, for typing a
// parameter's value. Keys and clicks only record a decision; the editor's
// timer carries it out at the next tick.
#include <windows.h>

#include "editor/EditorElement.h"
#include "editor/EditorWin.h"
#include "editor/EditorWinSystem.h"
#include "framework/ParamEntry.h"

namespace {

IEditorWin* EditorOfBox(HWND box) {
  HWND parent = GetParent(box);
  if (!parent) return nullptr;
  return reinterpret_cast<IEditorWin*>(GetWindowLongPtrA(parent, GWLP_USERDATA));
}

bool IsEditClass(HWND box) {
  char name[16] = {};
  GetClassNameA(box, name, sizeof name);
  return lstrcmpiA(name, "EDIT") == 0;
}

LRESULT CALLBACK EntryBoxProc(HWND box, UINT msg, WPARAM wParam, LPARAM lParam) {
  return IEditorWinSystem::EntryMessage(box, msg, wParam, lParam);
}

}  // namespace

intptr_t IEditorWinSystem::EntryMessage(void* handle, uint32_t msg, uintptr_t wParam, intptr_t lParam) {
  HWND box = static_cast<HWND>(handle);
  IEditorWin* editor = EditorOfBox(box);
  if (!editor || EntryBox(editor) != box || !editor->native->editOldProc)
    return DefWindowProcA(box, msg, wParam, lParam);
  auto old = reinterpret_cast<WNDPROC>(editor->native->editOldProc);
  switch (msg) {
    case WM_SETFOCUS:
      editor->editState = IEntryState::kTyping;
      break;
    case WM_KILLFOCUS:
      // The box stays open until a click in the editor decides.
      editor->editState = IEntryState::kIdle;
      break;
    case WM_KEYDOWN:
      if (wParam == VK_RETURN) {
        if (IsEditClass(box)) SendMessageA(box, EM_SETSEL, static_cast<WPARAM>(-1), 0);
        editor->editState = IEntryState::kCommit;
        return 0;
      }
      if (wParam == VK_ESCAPE) {
        editor->editState = IEntryState::kCancel;
        return 0;
      }
      editor->editState = IEntryState::kTyping;
      break;
    default:
      break;
  }
  return CallWindowProcA(old, box, msg, wParam, lParam);
}

void IEditorWin::PromptParamEntry(IEditorElement* control, IParamEntry* param, bool) {
  if (IEditorWinSystem::EntryBox(this) || editControl || !control || !param) return;
  if (!window) {
    // Headless: the entry exists without a box; CommitEntry decides.
    editControl = control;
    editParam = param;
    editState = IEntryState::kTyping;
    return;
  }
  char text[IParamEntry::kFormatBufferSize] = {};
  param->FormatValue(param->value, false, text);
  IRect r = EntryRect(control, param);

  HWND parent = static_cast<HWND>(window);
  HWND box = CreateWindowExA(0, "EDIT", text, WS_CHILD | WS_VISIBLE | ES_CENTER | ES_MULTILINE, r.L,
                             r.T, r.W(), r.H(), parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(IEditorWinSystem::kEntryBoxId)),
                             reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)),
                             nullptr);
  if (!box) return;
  SendMessageA(box, EM_SETSEL, 0, -1);
  SetFocus(box);
  Native& state = IEditorWinSystem::NativeOf(this);
  state.editBox = box;
  state.editOldProc = reinterpret_cast<void*>(
      SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EntryBoxProc)));
  HFONT font = CreateFontA(14, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                           "Arial");
  if (font) SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  editControl = control;
  editParam = param;
}

bool IEditorWinSystem::EntryBoxClick(IEditorWin* editor, bool left) {
  if (!EntryBox(editor)) return false;
  editor->editState = left ? IEntryState::kCommit : IEntryState::kCancel;
  return !left;
}

bool IEditorWin::EntryBoxOpen() const { return IEditorWinSystem::EntryBox(this) != nullptr; }

std::string IEditorWin::EntryBoxText() const {
  char text[1001] = {};
  GetWindowTextA(static_cast<HWND>(IEditorWinSystem::EntryBox(this)), text, sizeof text);
  return text;
}

void IEditorWin::DestroyEntryBox() { IEditorWinSystem::DestroyEntryBox(this); }

void IEditorWinSystem::DestroyEntryBox(IEditorWin* editor) {
  HWND box = static_cast<HWND>(EntryBox(editor));
  if (!box) return;
  IEditorWin::Native& state = *editor->native;
  bool hadFocus = GetFocus() == box;
  if (state.editOldProc)
    SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(state.editOldProc));
  // The box does not own its font: it goes with the box so none is left behind.
  auto font = reinterpret_cast<HFONT>(SendMessageA(box, WM_GETFONT, 0, 0));
  state.editBox = nullptr;
  state.editOldProc = nullptr;
  DestroyWindow(box);
  if (font) DeleteObject(font);
  // Keys go back to the editor rather than to no window at all.
  if (hadFocus && editor->window) SetFocus(static_cast<HWND>(editor->window));
}
