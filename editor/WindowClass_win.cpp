// The editor's window class and window procedure: turns window messages into
// the editor's events and runs the timer that drives redrawing.
#include <windows.h>
#include <windowsx.h>

#include <mutex>

#include "editor/EditorWin.h"
#include "editor/EditorWinSystem.h"

namespace {

const char kClassName[] = "IEffectWndClass";

// Open editor windows of the whole process, over every plug-in instance.
std::recursive_mutex& ClassLock() {
  static std::recursive_mutex lock;
  return lock;
}
int openWindows = 0;

LRESULT CALLBACK EditorWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The class belongs to the module given, or to the one this code is in.
HINSTANCE ClassOwner(void* module) {
  if (module) return static_cast<HINSTANCE>(module);
  HMODULE self = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&EditorWindowProc), &self);
  return self;
}

IMouseState MouseStateOf(WPARAM keys) {
  IMouseState m;
  m.L = (keys & MK_LBUTTON) != 0;
  m.R = (keys & MK_RBUTTON) != 0;
  m.S = (keys & MK_SHIFT) != 0;
  m.C = (keys & MK_CONTROL) != 0;
  m.A = GetKeyState(VK_MENU) < 0;
  return m;
}

// Key codes the controls understand; -1 for every other key.
int32_t EditorKeyCode(WPARAM key) {
  switch (key) {
    case VK_SPACE: return 0;
    case VK_UP: return 1;
    case VK_DOWN: return 2;
    case VK_LEFT: return 3;
    case VK_RIGHT: return 4;
    default: break;
  }
  if (key >= '0' && key <= '9') return static_cast<int32_t>(key) - 42;
  if (key >= 'A' && key <= 'Z') return static_cast<int32_t>(key) - 49;
  if (key >= 'a' && key <= 'z') return static_cast<int32_t>(key) - 81;
  return -1;
}

void KeyDown(HWND hwnd, IEditorWin* editor, WPARAM key) {
  int32_t code = EditorKeyCode(key);
  if (code < 0) return;
  POINT p{};
  GetCursorPos(&p);
  ScreenToClient(hwnd, &p);
  const IEditor::IFacePoint at = editor->FacePoint(p.x, p.y);
  editor->HandleKeyDown(at.x, at.y, code);
}

void MouseMove(HWND hwnd, IEditorWin* editor, WPARAM keys, int x, int y) {
  IMouseState mod = MouseStateOf(keys);
  if (mod.L || mod.R) {
    if (GetCapture() == hwnd) editor->HandleMouseDrag(x, y, mod);
    return;
  }
  if (!editor->HandleMouseOver(x, y, mod)) return;
  TRACKMOUSEEVENT track{};
  track.cbSize = sizeof track;
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = hwnd;
  track.dwHoverTime = HOVER_DEFAULT;
  TrackMouseEvent(&track);
}

void MouseWheel(HWND hwnd, IEditorWin* editor, WPARAM wParam, int x, int y) {
  int32_t notches = static_cast<int16_t>(HIWORD(wParam)) / 120;
  RECT r{};
  GetWindowRect(hwnd, &r);
  const IEditor::IFacePoint at = editor->FacePoint(x - r.left, y - r.top);
  editor->HandleMouseWheel(at.x, at.y, MouseStateOf(LOWORD(wParam)), notches);
}

void Paint(HWND hwnd, IEditorWin* editor) {
  RECT u{};
  if (!GetUpdateRect(hwnd, &u, FALSE)) return;
  editor->Draw(editor->Scale().ToFace(IRect(u.left, u.top, u.right, u.bottom)));
  // Draw paints nothing for an editor without controls; the area must still
  // count as painted or the system asks again forever.
  ValidateRect(hwnd, &u);
}

LRESULT CALLBACK EditorWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    auto* editor = static_cast<IEditorWin*>(create->lpCreateParams);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(editor));
    SetTimer(hwnd, IEditorWinSystem::kTimerId, static_cast<UINT>(editor->TickPeriodMs()), nullptr);
    SetFocus(hwnd);
    return 0;
  }
  auto* editor = reinterpret_cast<IEditorWin*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!editor) return DefWindowProcA(hwnd, msg, wParam, lParam);

  // Window pixels; the mouse messages' points on the face (the wheel's are
  // the screen's, mapped by MouseWheel).
  const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
  const IEditor::IFacePoint at = editor->FacePoint(x, y);
  switch (msg) {
    case WM_PAINT:
      Paint(hwnd, editor);
      return 0;
    case WM_TIMER:
      if (wParam != IEditorWinSystem::kTimerId) break;
      editor->Tick();
      return 0;
    case WM_CLOSE:
      editor->CloseWindow();
      return 0;
    case WM_DESTROY:
      // The host destroyed its window (and so ours) before removing the view.
      if (editor->WindowHandle() == hwnd) IEditorWinSystem::WindowDestroyed(editor);
      break;
    case WM_MOUSEACTIVATE:
      SetFocus(hwnd);
      return MA_ACTIVATE;
    case WM_KEYDOWN:
      KeyDown(hwnd, editor, wParam);
      return 0;
    case WM_CTLCOLORSTATIC:
      // No colours of the plug-in's own for static children.
      return 0;
    case WM_MOUSEMOVE:
      MouseMove(hwnd, editor, wParam, at.x, at.y);
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      ReleaseCapture();
      editor->HandleMouseUp(at.x, at.y, MouseStateOf(wParam));
      return 0;
    case WM_LBUTTONDBLCLK:
      if (editor->HandleDoubleClick(at.x, at.y, MouseStateOf(wParam))) SetCapture(hwnd);
      return 0;
    case WM_RBUTTONDOWN:
    case WM_LBUTTONDOWN:
      if (IEditorWinSystem::EntryBoxClick(editor, msg == WM_LBUTTONDOWN)) return 0;
      SetCapture(hwnd);
      editor->HandleMouseDown(at.x, at.y, MouseStateOf(wParam));
      return 0;
    case WM_MOUSEWHEEL:
      MouseWheel(hwnd, editor, wParam, x, y);
      return 0;
    case WM_MOUSELEAVE:
      editor->HandleMouseOut();
      return 0;
    default:
      break;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

bool IEditorWinSystem::AcquireClass(void* module) {
  std::lock_guard<std::recursive_mutex> g(ClassLock());
  if (openWindows == 0) {
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = EditorWindowProc;
    wc.hInstance = ClassOwner(module);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    // A window destroyed with its host's window can keep the class alive
    // past the count; it is still ours to use.
    if (!RegisterClassA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
  }
  ++openWindows;
  return true;
}

void IEditorWinSystem::ReleaseClass(void* module) {
  std::lock_guard<std::recursive_mutex> g(ClassLock());
  if (openWindows <= 0) return;
  if (--openWindows == 0) UnregisterClassA(kClassName, ClassOwner(module));
}

void* IEditorWinSystem::CreateEditorWindow(IEditorWin* editor, void* parent, int x, int y, int w,
                                           int h) {
  return CreateWindowExA(0, kClassName, "IEffect", WS_CHILD | WS_VISIBLE, x, y, w, h,
                         static_cast<HWND>(parent), nullptr, ClassOwner(editor->module), editor);
}
