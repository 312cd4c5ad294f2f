#include "HostWindow.h"

#include <windows.h>

#include <cstdio>

namespace {

const char kHostClass[] = "OndivoxTestHost";
const UINT_PTR kEditorTimerId = 2;
int64_t ticksSeen = 0;

bool IsEditorWindow(HWND hwnd) {
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return lstrcmpA(name, "IEffectWndClass") == 0;
}

void RegisterHostClass() {
  static bool done = false;
  if (done) return;
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kHostClass;
  RegisterClassA(&wc);
  done = true;
}

}  // namespace

HostWindow::HostWindow() {
  RegisterHostClass();
  handle = CreateWindowExA(0, kHostClass, "Ondivox window test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
                           640, 460, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  Pump(50);
}

HostWindow::~HostWindow() {
  if (handle) DestroyWindow(static_cast<HWND>(handle));
  Pump(20);
}

void* HostWindow::EditorWindow() const {
  for (HWND c = GetWindow(static_cast<HWND>(handle), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if (IsEditorWindow(c)) return c;
  return nullptr;
}

bool PumpUntil(const std::function<bool()>& done, int ms) {
  DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_TIMER && msg.wParam == kEditorTimerId && IsEditorWindow(msg.hwnd)) ++ticksSeen;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
      if (done && done()) return true;
    }
    if (done && done()) return true;
    if (static_cast<int>(GetTickCount() - start) >= ms) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

void Pump(int ms) { PumpUntil(nullptr, ms); }

int64_t TicksSeen() { return ticksSeen; }

void PostMouse(void* window, uint32_t msg, uintptr_t keys, int x, int y) {
  PostMessageA(static_cast<HWND>(window), msg, keys, MAKELPARAM(x, y));
}

void PostWheel(void* window, int notches, int x, int y) {
  POINT p{x, y};
  ClientToScreen(static_cast<HWND>(window), &p);
  WPARAM w = MAKEWPARAM(0, static_cast<WORD>(static_cast<SHORT>(notches * WHEEL_DELTA)));
  PostMessageA(static_cast<HWND>(window), WM_MOUSEWHEEL, w, MAKELPARAM(p.x, p.y));
}

void PostChar(void* window, char c) {
  PostMessageA(static_cast<HWND>(window), WM_CHAR, static_cast<unsigned char>(c), 1);
}

void PostKeyDown(void* window, uintptr_t key) { PostMessageA(static_cast<HWND>(window), WM_KEYDOWN, key, 1); }

WindowSize ClientSize(void* window) {
  RECT r{};
  GetClientRect(static_cast<HWND>(window), &r);
  return {r.right - r.left, r.bottom - r.top};
}

WindowSize PositionInParent(void* window) {
  RECT r{};
  GetWindowRect(static_cast<HWND>(window), &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(static_cast<HWND>(window)), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top};
}

std::vector<uint32_t> WindowPixels(void* window, int w, int h) {
  std::vector<uint32_t> out(static_cast<size_t>(w) * h, 0);
  HDC source = GetDC(static_cast<HWND>(window));
  HDC memory = CreateCompatibleDC(source);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(memory, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, dib);
  BitBlt(memory, 0, 0, w, h, source, 0, 0, SRCCOPY);
  GdiFlush();
  const auto* px = static_cast<const uint32_t*>(bits);
  for (size_t i = 0; i < out.size(); ++i) out[i] = px[i] & 0xFFFFFFu;
  SelectObject(memory, old);
  DeleteObject(dib);
  DeleteDC(memory);
  ReleaseDC(static_cast<HWND>(window), source);
  return out;
}

bool ScreenshotToPng(const std::string& unixPath) {
  // Wine starts Unix programs given by a Unix path directly, but cannot wait
  // for them: keep the windows painting until the file is there.
  std::string file = "Z:" + unixPath;
  std::string partial = unixPath + ".part";
  std::string command = "/bin/sh -c \"xwd -root -silent | convert xwd:- png:'" + partial + "' && mv '" +
                        partial + "' '" + unixPath + "'\"";
  DeleteFileA(file.c_str());
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return false;
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return PumpUntil([&] { return GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES; }, 30000);
}

void ParkPointer() { SetCursorPos(1000, 740); }
