// The editor's shell services on Windows: module folders, links, and the
// file and colour dialogs.
#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

#include <cstring>
#include <string>

#include "editor/EditorWin.h"
#include "editor/EditorWinSystem.h"

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

// "wav aif" -> "*.wav;*.aif", used as both description and pattern; the
// buffer ends with the double NUL the dialog expects.
std::string FileFilter(const char* extensions, std::string* firstExtension) {
  std::string patterns;
  const char* p = extensions ? extensions : "";
  while (*p) {
    while (*p == ' ') ++p;
    const char* start = p;
    while (*p && *p != ' ') ++p;
    if (p == start) break;
    std::string ext(start, p);
    if (firstExtension->empty()) *firstExtension = ext;
    if (!patterns.empty()) patterns += ';';
    patterns += "*." + ext;
  }
  if (patterns.empty()) return std::string();
  std::string filter = patterns;
  filter += '\0';
  filter += patterns;
  filter += '\0';
  return filter;
}

UINT_PTR CALLBACK ColourDialogHook(HWND dialog, UINT msg, WPARAM, LPARAM lParam) {
  if (msg == WM_INITDIALOG) {
    auto* cc = reinterpret_cast<CHOOSECOLORA*>(lParam);
    if (cc && cc->lCustData) SetWindowTextA(dialog, reinterpret_cast<const char*>(cc->lCustData));
  }
  return 0;
}

}  // namespace

void IEditorWin::HostFolder(char* text, int size) { ModuleFolder(nullptr, text, size); }

void IEditorWin::PluginFolder(char* text, int size) {
  ModuleFolder(static_cast<HMODULE>(module), text, size);
}

void IEditorWin::PromptForFile(char* path, int size, int32_t action, const char* folder,
                               const char* extensions) {
  if (!path || size <= 0) return;
  if (!window) {
    path[0] = '\0';
    return;
  }
  char file[MAX_PATH] = {};
  lstrcpynA(file, path, 256);
  char hostFolder[MAX_PATH] = {};
  if (!folder || !folder[0]) {
    HostFolder(hostFolder, sizeof hostFolder);
    folder = hostFolder;
  }
  std::string defaultExt;
  std::string filter = FileFilter(extensions, &defaultExt);

  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = static_cast<HWND>(window);
  ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  ofn.lpstrFile = file;
  ofn.nMaxFile = sizeof file;
  ofn.lpstrInitialDir = folder;
  ofn.lpstrTitle = "Select audio sample";
  ofn.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
  BOOL ok;
  if (action == 1) {
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_EXPLORER;
    ok = GetSaveFileNameA(&ofn);
  } else {
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_EXPLORER;
    ok = GetOpenFileNameA(&ofn);
  }
  if (ok)
    lstrcpynA(path, file, size);
  else
    path[0] = '\0';
}

bool IEditorWin::PromptForColour(IArgb* colour, const char* title) {
  if (!window || !colour) return false;
  CHOOSECOLORA cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = static_cast<HWND>(window);
  cc.rgbResult = RGB(colour->R, colour->G, colour->B);
  cc.lpCustColors = reinterpret_cast<COLORREF*>(IEditorWinSystem::NativeOf(this).customColours);
  cc.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ANYCOLOR | CC_SOLIDCOLOR;
  if (title) {
    cc.Flags |= CC_ENABLEHOOK;
    cc.lpfnHook = ColourDialogHook;
    cc.lCustData = reinterpret_cast<LPARAM>(title);
  }
  if (!ChooseColorA(&cc)) return false;
  colour->R = GetRValue(cc.rgbResult);
  colour->G = GetGValue(cc.rgbResult);
  colour->B = GetBValue(cc.rgbResult);
  return true;
}

bool IEditorWin::OpenUrl(const char* url, const char* title, const char* confirmText,
                         const char* errorText) {
  HWND owner = static_cast<HWND>(window);
  if (confirmText && MessageBoxA(owner, confirmText, title, MB_YESNO) != IDYES) return false;
  INT_PTR result = reinterpret_cast<INT_PTR>(ShellExecuteA(owner, "open", url, nullptr, nullptr, SW_SHOWNORMAL));
  if (result > 32) return true;
  if (errorText) MessageBoxA(owner, errorText, title, MB_OK);
  return false;
}
