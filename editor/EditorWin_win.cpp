// IEditorWin on Windows: the editor's child window inside the host's window.
// Without a window (tests, snapshots) the editor draws headless as it does
// elsewhere.
#include <windows.h>

#include "editor/EditorWin.h"
#include "editor/EditorWinSystem.h"
#include "framework/EffectBase.h"
#include "raster/Bitmap.h"

IEditorWin::Native& IEditorWinSystem::NativeOf(IEditorWin* editor) {
  if (!editor->native) editor->native.reset(new IEditorWin::Native());
  return *editor->native;
}

void* IEditorWinSystem::EntryBox(const IEditorWin* editor) {
  return editor->native ? editor->native->editBox : nullptr;
}

void IEditorWin::NativeDeleter::operator()(Native* n) const { delete n; }

bool IEditorWin::DrawScreen(const IRect& area) {
  if (!window) return true;
  const IRect r = Scale().ToPixels(area);
  HWND hwnd = static_cast<HWND>(window);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  PX_IBitmap* bitmap = DrawBitmap();
  if (dc && bitmap && bitmap->deviceContext())
    BitBlt(dc, r.L, r.T, r.W(), r.H(), static_cast<HDC>(bitmap->deviceContext()), r.L, r.T, SRCCOPY);
  EndPaint(hwnd, &ps);
  return true;
}

bool IEditorWin::IsWindowOpen() const { return window != nullptr; }

void IEditorWin::Repaint(const IRect& area) {
  if (!window) {
    Draw(area);
    return;
  }
  HWND hwnd = static_cast<HWND>(window);
  const IRect at = Scale().ToPixels(area);
  RECT r{at.L, at.T, at.R, at.B};
  InvalidateRect(hwnd, &r, FALSE);
  if (void* entryBox = IEditorWinSystem::EntryBox(this)) {
    // The entry box lies on top; painting over it would hide what is typed.
    RECT box{};
    GetWindowRect(static_cast<HWND>(entryBox), &box);
    MapWindowPoints(HWND_DESKTOP, hwnd, reinterpret_cast<POINT*>(&box), 2);
    ValidateRect(hwnd, &box);
  }
  UpdateWindow(hwnd);
}

void* IEditorWin::OpenWindow(void* parent) {
  parentWindow = parent;
  int x = 0, y = 0;
  if (window) {
    // A second attach moves the window: same place in the new parent.
    RECT old{}, host{};
    GetWindowRect(static_cast<HWND>(window), &old);
    GetWindowRect(static_cast<HWND>(parent), &host);
    x = old.left - host.left;
    y = old.top - host.top;
    CloseWindow();
    parentWindow = parent;
  }
  if (!IEditorWinSystem::AcquireClass(module)) return nullptr;
  // Without the host's word, the window starts at its monitor's scale.
  monitorScale = IEditorWinSystem::MonitorScaleOf(parent);
  // The host asked for the size before: it hears of a new one on the first tick.
  if (FollowScale()) sizeToAnnounce = true;
  window = IEditorWinSystem::CreateEditorWindow(this, parent, x, y, ScaledWidth(), ScaledHeight());
  if (!window) {
    IEditorWinSystem::ReleaseClass(module);
    return nullptr;
  }
  RedrawAll();
  return window;
}

void IEditorWin::CloseWindow() {
  if (!window) return;
  HWND hwnd = static_cast<HWND>(window);
  IEditorWinSystem::ForgetWindow(this);
  DestroyWindow(hwnd);
  IEditorWinSystem::ReleaseClass(module);
}

void IEditorWinSystem::WindowDestroyed(IEditorWin* editor) {
  ForgetWindow(editor);
  ReleaseClass(editor->module);
}

void IEditorWinSystem::ForgetWindow(IEditorWin* editor) {
  HWND hwnd = static_cast<HWND>(editor->window);
  if (!hwnd) return;
  if (editor->countdown > 0 && editor->plug) editor->plug->FlushDeferredEdit();
  // A drag cut short by the window going away still ends its host gesture.
  if (editor->captureIndex >= 0) editor->HandleMouseUp(editor->lastX, editor->lastY, IMouseState());
  KillTimer(hwnd, kTimerId);
  // Messages sent while the window is torn down no longer reach the editor.
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
  editor->window = nullptr;
  DestroyEntryBox(editor);
  editor->CloseEntry();
  if (GetCapture() == hwnd) ReleaseCapture();
}

void IEditorWin::FitWindow() {
  if (!window) return;
  SetWindowPos(static_cast<HWND>(window), nullptr, 0, 0, ScaledWidth(), ScaledHeight(),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(static_cast<HWND>(window), nullptr, FALSE);
}

double IEditorWin::MonitorScale() const { return IEditorWinSystem::MonitorScaleOf(window); }

double IEditorWinSystem::MonitorScaleOf(void* window) {
  if (!window) return 0.0;
  // Per-monitor DPI came with Windows 8.1 (shcore) and 10 (user32): looked
  // up by name so that older systems simply have none.
  using DpiForWindow = UINT(WINAPI*)(HWND);
  static const auto forWindow = reinterpret_cast<DpiForWindow>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
  UINT dpi = 0;
  if (forWindow) dpi = forWindow(static_cast<HWND>(window));
  if (dpi == 0) {
    HDC dc = GetDC(static_cast<HWND>(window));
    if (dc) dpi = static_cast<UINT>(GetDeviceCaps(dc, LOGPIXELSX));
    if (dc) ReleaseDC(static_cast<HWND>(window), dc);
  }
  return dpi > 0 ? dpi / 96.0 : 0.0;
}

// The system's message loop drives the window: the host has nothing to watch,
// and keys come to the window itself.
int IEditorWin::EventSource() const { return -1; }

void IEditorWin::DispatchEvents() {}

bool IEditorWin::TakeKey(const IKeyPress&) { return false; }
