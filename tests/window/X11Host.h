// The host's side of an X11 editor window test: a top-level window of the
// test's own connection to attach a view to, a plug frame that offers a run
// loop (a small select() loop with timers, as a Linux host has), input
// through the XTest extension, and pixels read back from the server.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "pluginterfaces/gui/iplugview.h"
#include "tools/host/HostObject.h"

class TestRunLoop : public HostObject<Steinberg::IPlugFrame, Steinberg::Linux::IRunLoop> {
 public:
  using tresult = Steinberg::tresult;
  ~TestRunLoop() override;

  tresult PLUGIN_API resizeView(Steinberg::IPlugView* view, Steinberg::ViewRect* newSize) override;
  tresult PLUGIN_API registerEventHandler(Steinberg::Linux::IEventHandler* handler,
                                          Steinberg::Linux::FileDescriptor fd) override;
  tresult PLUGIN_API unregisterEventHandler(Steinberg::Linux::IEventHandler* handler) override;
  tresult PLUGIN_API registerTimer(Steinberg::Linux::ITimerHandler* handler,
                                   Steinberg::Linux::TimerInterval milliseconds) override;
  tresult PLUGIN_API unregisterTimer(Steinberg::Linux::ITimerHandler* handler) override;

  // Runs the loop (descriptors ready, timers due) until done() holds or ms
  // pass; answers done()'s last answer.
  bool RunUntil(const std::function<bool()>& done, int ms);
  void Run(int ms) { RunUntil(nullptr, ms); }
  // Timer calls made so far.
  int64_t Ticks() const { return ticks; }
  size_t EventHandlers() const { return handlers.size(); }
  size_t Timers() const { return timers.size(); }
  uint64_t LastInterval() const { return lastInterval; }
  // The sizes views asked for, in order.
  const std::vector<Steinberg::ViewRect>& Resizes() const { return resizes; }

 private:
  struct Watch {
    Steinberg::Linux::IEventHandler* handler;
    int fd;
  };
  struct Timer {
    Steinberg::Linux::ITimerHandler* handler;
    uint64_t interval;
    int64_t due;  // milliseconds on the loop's clock
  };
  std::vector<Watch> handlers;
  std::vector<Timer> timers;
  int64_t ticks = 0;
  uint64_t lastInterval = 0;
  std::vector<Steinberg::ViewRect> resizes;
};

class X11Host {
 public:
  X11Host();
  ~X11Host();
  X11Host(const X11Host&) = delete;
  X11Host& operator=(const X11Host&) = delete;

  bool Ok() const { return display && window; }
  Display* Connection() const { return display; }
  Window HostWindow() const { return window; }
  // The parent handle a host passes to IPlugView::attached.
  void* Parent() const { return reinterpret_cast<void*>(static_cast<uintptr_t>(window)); }
  // The host window's children (the editor's window while it is attached).
  std::vector<Window> Children() const;
  // Gives the host window a new size, as a host does for a view's size.
  void Resize(int w, int h);
  // Destroys the host window at once, as a host closing its window might.
  void DestroyWindow();

  struct Geometry {
    int x = 0, y = 0, w = 0, h = 0;
  };
  Geometry GeometryOf(Window w) const;
  // The window's pixels as 0x00RRGGBB, row by row.
  std::vector<uint32_t> Pixels(Window w, int width, int height) const;

  // Real input through the server, at a point of window w.
  void MoveTo(Window w, int x, int y) const;
  void Button(unsigned button, bool press) const;
  void Click(Window w, unsigned button, int x, int y) const;
  void Key(KeySym sym) const;
  void Type(const char* text) const;

 private:
  Display* display = nullptr;
  Window window = 0;
};

// Writes the whole screen as a PNG (xwd and convert); true when written.
bool ScreenshotToPng(const std::string& path);
