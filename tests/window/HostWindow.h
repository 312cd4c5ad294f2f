// The host's side of an editor window test: a top-level window to attach a
// view to, a message pump that counts the editor's timer ticks, posted mouse
// and key input, and reading pixels back from a window or the X screen.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class HostWindow {
 public:
  HostWindow();
  ~HostWindow();
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  void* Handle() const { return handle; }
  // The first child window of the editor's window class, or null.
  void* EditorWindow() const;

 private:
  void* handle = nullptr;
};

// Dispatches messages (as a host's loop does) until done() holds or ms pass;
// answers done()'s last answer. Counts WM_TIMER ticks of the editor's timer.
bool PumpUntil(const std::function<bool()>& done, int ms);
void Pump(int ms);
// Editor ticks dispatched so far by the pump.
int64_t TicksSeen();

// Posted mouse messages in the window's own coordinates (the wheel takes
// screen coordinates, as the system gives them).
void PostMouse(void* window, uint32_t msg, uintptr_t keys, int x, int y);
void PostWheel(void* window, int notches, int x, int y);
void PostChar(void* window, char c);
void PostKeyDown(void* window, uintptr_t key);

struct WindowSize {
  int w = 0, h = 0;
};
WindowSize ClientSize(void* window);
// The window's top-left in the client area of its parent.
WindowSize PositionInParent(void* window);

// The window's pixels as 0x00RRGGBB, row by row.
std::vector<uint32_t> WindowPixels(void* window, int w, int h);

// Writes the whole X screen as a PNG (xwd and convert); true when written.
bool ScreenshotToPng(const std::string& unixPath);
// Moves the pointer away from where the test's windows lie.
void ParkPointer();
