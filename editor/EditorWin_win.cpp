// IEditorWin on Windows. The shell and module services are real; until the
// Win32 window is built the editor draws headless here as it does elsewhere.
#include <windows.h>
#include <shellapi.h>

#include <cstring>

#include "editor/EditorWin.h"
#include "framework/EffectBase.h"

namespace {

// The file name of a module (null: the host executable), cut after its last
// backslash; "" when it cannot be had.
void ModuleFolder(HMODULE module, char* text, int size) {
  if (!text || size <= 0) return;
  text[0] = '\0';
  char name[257] = {};
  DWORD n = GetModuleFileNameA(module, name, 256);
  if (n == 0) return;
  char* slash = std::strrchr(name, '\\');
  if (!slash) return;
  slash[1] = '\0';
  lstrcpynA(text, name, size);
}

}  // namespace

bool IEditorWin::DrawScreen(const IRect&) { return true; }

bool IEditorWin::IsWindowOpen() const { return window != nullptr; }

void IEditorWin::Repaint(const IRect& area) { Draw(area); }

void IEditorWin::PromptParamEntry(IControl* control, IParamEntry* param, bool) {
  if (editControl || !control || !param) return;
  editControl = control;
  editParam = param;
  editState = 1;
}

void IEditorWin::HostFolder(char* text, int size) { ModuleFolder(nullptr, text, size); }

void IEditorWin::PluginFolder(char* text, int size) {
  ModuleFolder(static_cast<HMODULE>(module), text, size);
}

void IEditorWin::PromptForFile(char* path, int size, int32_t, const char*, const char*) {
  if (path && size > 0) path[0] = '\0';
}

bool IEditorWin::PromptForColour(IArgb*, const char*) { return false; }

bool IEditorWin::OpenUrl(const char* url, const char* title, const char* confirmText,
                         const char* errorText) {
  HWND owner = static_cast<HWND>(window);
  if (confirmText && MessageBoxA(owner, confirmText, title, MB_YESNO) != IDYES) return false;
  INT_PTR result = reinterpret_cast<INT_PTR>(ShellExecuteA(owner, "open", url, nullptr, nullptr, SW_SHOWNORMAL));
  if (result > 32) return true;
  if (errorText) MessageBoxA(owner, errorText, title, MB_OK);
  return false;
}

void* IEditorWin::OpenWindow(void* parent) {
  parentWindow = parent;
  return nullptr;
}

void IEditorWin::CloseWindow() {
  if (!window) return;
  if (countdown > 0 && plug) plug->FlushDeferredEdit();
  CloseEntry();
  window = nullptr;
}
