#include "X11Host.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <X11/extensions/XTest.h>
#include <sys/select.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

using namespace Steinberg;

namespace {

int64_t NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

// --- TestRunLoop -------------------------------------------------------------

TestRunLoop::~TestRunLoop() {
  for (Watch& w : handlers) w.handler->release();
  for (Timer& t : timers) t.handler->release();
}

tresult PLUGIN_API TestRunLoop::resizeView(IPlugView* view, ViewRect* newSize) {
  if (!view || !newSize) return kInvalidArgument;
  resizes.push_back(*newSize);
  // As a host does: its window follows, then it tells the view.
  return view->onSize(newSize);
}

tresult PLUGIN_API TestRunLoop::registerEventHandler(Linux::IEventHandler* handler, Linux::FileDescriptor fd) {
  if (!handler || fd < 0) return kInvalidArgument;
  handler->addRef();
  handlers.push_back({handler, fd});
  return kResultOk;
}

tresult PLUGIN_API TestRunLoop::unregisterEventHandler(Linux::IEventHandler* handler) {
  auto it = std::find_if(handlers.begin(), handlers.end(), [&](const Watch& w) { return w.handler == handler; });
  if (it == handlers.end()) return kInvalidArgument;
  it->handler->release();
  handlers.erase(it);
  return kResultOk;
}

tresult PLUGIN_API TestRunLoop::registerTimer(Linux::ITimerHandler* handler, Linux::TimerInterval ms) {
  if (!handler || ms == 0) return kInvalidArgument;
  handler->addRef();
  timers.push_back({handler, ms, NowMs() + static_cast<int64_t>(ms)});
  lastInterval = ms;
  return kResultOk;
}

tresult PLUGIN_API TestRunLoop::unregisterTimer(Linux::ITimerHandler* handler) {
  auto it = std::find_if(timers.begin(), timers.end(), [&](const Timer& t) { return t.handler == handler; });
  if (it == timers.end()) return kInvalidArgument;
  it->handler->release();
  timers.erase(it);
  return kResultOk;
}

bool TestRunLoop::RunUntil(const std::function<bool()>& done, int ms) {
  int64_t end = NowMs() + ms;
  for (;;) {
    if (done && done()) return true;
    int64_t now = NowMs();
    if (now >= end) return false;
    int64_t wake = end;
    for (const Timer& t : timers) wake = std::min(wake, t.due);
    fd_set readable;
    FD_ZERO(&readable);
    int top = -1;
    for (const Watch& w : handlers) {
      FD_SET(w.fd, &readable);
      top = std::max(top, w.fd);
    }
    timeval wait{};
    int64_t left = std::max<int64_t>(0, wake - now);
    wait.tv_sec = static_cast<time_t>(left / 1000);
    wait.tv_usec = static_cast<suseconds_t>((left % 1000) * 1000);
    int n = select(top + 1, &readable, nullptr, nullptr, &wait);
    // Handlers may unregister themselves: call through copies of the lists.
    if (n > 0) {
      std::vector<Watch> ready;
      for (const Watch& w : handlers)
        if (FD_ISSET(w.fd, &readable)) ready.push_back(w);
      for (const Watch& w : ready) w.handler->onFDIsSet(w.fd);
    }
    now = NowMs();
    std::vector<Linux::ITimerHandler*> due;
    for (Timer& t : timers)
      if (t.due <= now) {
        due.push_back(t.handler);
        t.due = now + static_cast<int64_t>(t.interval);
      }
    for (Linux::ITimerHandler* h : due) {
      bool still = std::any_of(timers.begin(), timers.end(), [&](const Timer& t) { return t.handler == h; });
      if (!still) continue;
      ++ticks;
      h->onTimer();
    }
  }
}

// --- X11Host -------------------------------------------------------------------

X11Host::X11Host() {
  display = XOpenDisplay(nullptr);
  if (!display) return;
  int screen = DefaultScreen(display);
  window = XCreateSimpleWindow(display, RootWindow(display, screen), 40, 40, 640, 460, 0,
                               BlackPixel(display, screen), WhitePixel(display, screen));
  XSelectInput(display, window, StructureNotifyMask);
  XStoreName(display, window, "Ondivox X11 window test");
  XMapWindow(display, window);
  for (XEvent e;;) {
    XNextEvent(display, &e);
    if (e.type == MapNotify && e.xmap.window == window) break;
  }
}

X11Host::~X11Host() {
  if (!display) return;
  DestroyWindow();
  XCloseDisplay(display);
}

void X11Host::DestroyWindow() {
  if (!window) return;
  XDestroyWindow(display, window);
  XSync(display, False);
  window = 0;
}

std::vector<Window> X11Host::Children() const {
  Window root = 0, parent = 0, *list = nullptr;
  unsigned n = 0;
  std::vector<Window> out;
  if (window && XQueryTree(display, window, &root, &parent, &list, &n)) out.assign(list, list + n);
  if (list) XFree(list);
  return out;
}

X11Host::Geometry X11Host::GeometryOf(Window w) const {
  Geometry g;
  Window root = 0;
  unsigned width = 0, height = 0, border = 0, depth = 0;
  if (XGetGeometry(display, w, &root, &g.x, &g.y, &width, &height, &border, &depth)) {
    g.w = static_cast<int>(width);
    g.h = static_cast<int>(height);
  }
  return g;
}

void X11Host::Resize(int w, int h) {
  XResizeWindow(display, window, static_cast<unsigned>(w), static_cast<unsigned>(h));
  XSync(display, False);
}

std::vector<uint32_t> X11Host::Pixels(Window w, int width, int height) const {
  std::vector<uint32_t> out(static_cast<size_t>(width) * height, 0);
  XImage* image = XGetImage(display, w, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height),
                            AllPlanes, ZPixmap);
  if (!image) return out;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      unsigned long p = XGetPixel(image, x, y);
      uint32_t r = static_cast<uint32_t>((p & image->red_mask) >> __builtin_ctzl(image->red_mask));
      uint32_t g = static_cast<uint32_t>((p & image->green_mask) >> __builtin_ctzl(image->green_mask));
      uint32_t b = static_cast<uint32_t>((p & image->blue_mask) >> __builtin_ctzl(image->blue_mask));
      out[static_cast<size_t>(y) * width + x] = r << 16 | g << 8 | b;
    }
  XDestroyImage(image);
  return out;
}

void X11Host::MoveTo(Window w, int x, int y) const {
  int rx = 0, ry = 0;
  Window child = 0;
  XTranslateCoordinates(display, w, DefaultRootWindow(display), x, y, &rx, &ry, &child);
  XTestFakeMotionEvent(display, DefaultScreen(display), rx, ry, 0);
  XFlush(display);
}

void X11Host::Button(unsigned button, bool press) const {
  XTestFakeButtonEvent(display, button, press ? True : False, 0);
  XFlush(display);
}

void X11Host::Click(Window w, unsigned button, int x, int y) const {
  MoveTo(w, x, y);
  Button(button, true);
  Button(button, false);
}

void X11Host::Key(KeySym sym) const {
  KeyCode code = XKeysymToKeycode(display, sym);
  XTestFakeKeyEvent(display, code, True, 0);
  XTestFakeKeyEvent(display, code, False, 0);
  XFlush(display);
}

void X11Host::Type(const char* text) const {
  for (const char* c = text; *c; ++c) {
    char name[2] = {*c, '\0'};
    KeySym sym = *c == '.' ? XK_period : *c == '-' ? XK_minus : XStringToKeysym(name);
    Key(sym);
  }
}

bool ScreenshotToPng(const std::string& path) {
  std::remove(path.c_str());
  std::string command = "xwd -root -silent | convert xwd:- png:'" + path + "'";
  return std::system(command.c_str()) == 0 && access(path.c_str(), R_OK) == 0;
}
