// IEditorWin without a window system: the editor draws headless into its
// bitmap, and the services that need a desktop answer that nothing happened.
#include "editor/EditorWin.h"

bool IEditorWin::DrawScreen(const IRect&) { return true; }

bool IEditorWin::IsWindowOpen() const { return false; }

void IEditorWin::Repaint(const IRect& area) { Draw(area); }

void IEditorWin::PromptParamEntry(IControl* control, IParamEntry* param, bool) {
  if (editControl || !control || !param) return;
  editControl = control;
  editParam = param;
  editState = 1;
}

void IEditorWin::HostFolder(char* text, int size) {
  if (text && size > 0) text[0] = '\0';
}

void IEditorWin::PluginFolder(char* text, int size) {
  if (text && size > 0) text[0] = '\0';
}

void IEditorWin::PromptForFile(char* path, int size, int32_t, const char*, const char*) {
  if (path && size > 0) path[0] = '\0';
}

bool IEditorWin::PromptForColour(IArgb*, const char*) { return false; }

bool IEditorWin::OpenUrl(const char*, const char*, const char*, const char*) { return false; }

void* IEditorWin::OpenWindow(void* parent) {
  parentWindow = parent;
  return nullptr;
}

// There is never a window to close.
void IEditorWin::CloseWindow() {}
