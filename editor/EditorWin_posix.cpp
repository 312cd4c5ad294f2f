// IEditorWin on X11: the editor's child window inside the host's window, with
// a connection of its own that the host's run loop watches. Without a window
// (tests, snapshots, no display) the editor draws headless into its bitmap.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <mutex>
#include <set>

#include "editor/EditorWin.h"
#include "editor/EditorX11System.h"
#include "framework/EffectBase.h"
#include "raster/Bitmap.h"

namespace {

// X errors are reported to one handler per process. While editor windows
// are open, errors on their connections (a host window destroyed before our
// child knew of it) are dropped here; errors on the host's own connections
// go on to the handler that was there before.
std::mutex& ErrorLock() {
  static std::mutex lock;
  return lock;
}
std::set<Display*>& OurDisplays() {
  static std::set<Display*> displays;
  return displays;
}
XErrorHandler previousHandler = nullptr;
bool errorSeen = false;

int DropOurErrors(Display* display, XErrorEvent* error) {
  {
    std::lock_guard<std::mutex> g(ErrorLock());
    if (OurDisplays().count(display)) {
      errorSeen = true;
      return 0;
    }
  }
  return previousHandler ? previousHandler(display, error) : 0;
}

void AddDisplay(Display* display) {
  std::lock_guard<std::mutex> g(ErrorLock());
  if (OurDisplays().empty()) previousHandler = XSetErrorHandler(DropOurErrors);
  OurDisplays().insert(display);
}

void RemoveDisplay(Display* display) {
  std::lock_guard<std::mutex> g(ErrorLock());
  OurDisplays().erase(display);
  if (!OurDisplays().empty()) return;
  // Put the old handler back only if nobody replaced ours meanwhile.
  XErrorHandler current = XSetErrorHandler(previousHandler);
  if (current != DropOurErrors) XSetErrorHandler(current);
  previousHandler = nullptr;
}

// Waits for the server to answer everything sent; true when none of it failed.
bool SyncWithoutErrors(Display* display) {
  {
    std::lock_guard<std::mutex> g(ErrorLock());
    errorSeen = false;
  }
  XSync(display, False);
  std::lock_guard<std::mutex> g(ErrorLock());
  return !errorSeen;
}

// XEmbed: tells an embedding host that the child wants to be shown.
void AnnounceEmbedding(Display* display, Window window) {
  Atom info = XInternAtom(display, "_XEMBED_INFO", False);
  unsigned long data[2] = {0, 1};  // protocol version 0, mapped
  XChangeProperty(display, window, info, info, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(data), 2);
}

}  // namespace

IEditorWin::Native& IEditorWinSystem::NativeOf(IEditorWin* editor) {
  if (!editor->native) editor->native.reset(new IEditorWin::Native());
  return *editor->native;
}

bool IEditorWinSystem::HasWindow(const IEditorWin* editor) {
  return editor->native && editor->native->window;
}

void IEditorWin::NativeDeleter::operator()(Native* n) const { delete n; }

bool IEditorWin::IsWindowOpen() const { return window != nullptr; }

int IEditorWin::EventSource() const {
  return native && native->display ? ConnectionNumber(native->display) : -1;
}

void IEditorWin::DispatchEvents() {
  IEditorWinSystem::ReapLinkOpeners();
  if (!native || !native->display) return;
  Display* display = native->display;
  while (native && native->display == display && XPending(display) > 0) {
    XEvent event;
    XNextEvent(display, &event);
    IEditorWinSystem::HandleEvent(this, event);
  }
}

bool IEditorWin::DrawScreen(const IRect& area) {
  if (!IEditorWinSystem::HasWindow(this)) return true;
  // The box lies on top of whatever was drawn beneath it.
  if (native->entryOpen) IEditorWinSystem::DrawEntryBox(this);
  IEditorWinSystem::PutArea(this, area);
  return true;
}

void IEditorWin::Repaint(const IRect& area) { Draw(area); }

void IEditorWinSystem::PutArea(IEditorWin* editor, const IRect& area) {
  IEditorWin::Native& n = *editor->native;
  if (!n.window || !n.image) return;
  IRect r = editor->Scale().ToPixels(area).Intersect(IRect(0, 0, n.image->width, n.image->height));
  if (r.W() <= 0 || r.H() <= 0) return;
  XPutImage(n.display, n.window, n.gc, n.image, r.L, r.T, r.L, r.T, static_cast<unsigned>(r.W()),
            static_cast<unsigned>(r.H()));
  XFlush(n.display);
}

void* IEditorWin::OpenWindow(void* parent) {
  Native& n = IEditorWinSystem::NativeOf(this);
  if (!n.display) {
    n.display = XOpenDisplay(nullptr);
    if (!n.display) return nullptr;
    AddDisplay(n.display);
  }
  Display* display = n.display;
  Window host = static_cast<Window>(reinterpret_cast<uintptr_t>(parent));
  int x = 0, y = 0;
  unsigned w = static_cast<unsigned>(ScaledWidth()), h = static_cast<unsigned>(ScaledHeight());
  if (n.window) {
    // A second attach moves the window: same place in the new parent.
    Window child = 0;
    XTranslateCoordinates(display, n.window, host, 0, 0, &x, &y, &child);
    Window old = n.window;
    IEditorWinSystem::ForgetWindow(this);
    XDestroyWindow(display, old);
  }
  parentWindow = parent;

  XVisualInfo info{};
  if (!XMatchVisualInfo(display, DefaultScreen(display), 24, TrueColor, &info)) {
    CloseWindow();
    return nullptr;
  }
  n.visual = info.visual;
  if (!n.colormap) n.colormap = XCreateColormap(display, host, info.visual, AllocNone);
  XSetWindowAttributes attrs{};
  attrs.colormap = n.colormap;
  attrs.border_pixel = 0;
  attrs.background_pixmap = None;  // the bitmap paints everything; no flash of a background
  attrs.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                     LeaveWindowMask | KeyPressMask | FocusChangeMask | StructureNotifyMask;
  Window created = XCreateWindow(display, host, x, y, w, h, 0, 24, InputOutput, info.visual,
                                 CWColormap | CWBorderPixel | CWBackPixmap | CWEventMask, &attrs);
  if (created) {
    AnnounceEmbedding(display, created);
    XMapWindow(display, created);
  }
  // A parent that is no window fails here rather than on the first drawing.
  if (!created || !SyncWithoutErrors(display)) {
    if (created) XDestroyWindow(display, created);
    CloseWindow();
    return nullptr;
  }
  n.window = created;
  n.gc = XCreateGC(display, created, 0, nullptr);
  IEditorWinSystem::DescribeBitmap(this);
  window = reinterpret_cast<void*>(static_cast<uintptr_t>(created));
  XFlush(display);
  RedrawAll();
  return window;
}

void IEditorWin::CloseWindow() {
  if (!native || !native->display) return;
  Native& n = *native;
  Window old = n.window;
  IEditorWinSystem::ForgetWindow(this);
  if (old) XDestroyWindow(n.display, old);
  if (n.colormap) XFreeColormap(n.display, n.colormap);
  n.colormap = 0;
  XSync(n.display, False);
  RemoveDisplay(n.display);
  XCloseDisplay(n.display);
  n.display = nullptr;
}

void IEditorWinSystem::DescribeBitmap(IEditorWin* editor) {
  IEditorWin::Native& n = *editor->native;
  ForgetImage(n);
  PX_IBitmap* bitmap = editor->DrawBitmap();
  if (!bitmap || !bitmap->pixels()) return;
  n.image = XCreateImage(n.display, n.visual, 24, ZPixmap, 0, reinterpret_cast<char*>(bitmap->pixels()),
                         static_cast<unsigned>(bitmap->width()), static_cast<unsigned>(bitmap->height()), 32,
                         bitmap->rowStride() * 4);
  // The pixel words are in this machine's order; Xlib converts if the
  // server's differs.
  if (n.image) {
    n.image->byte_order = LSBFirst;
    n.image->bitmap_bit_order = LSBFirst;
  }
}

void IEditorWinSystem::ForgetImage(IEditorWin::Native& n) {
  if (!n.image) return;
  n.image->data = nullptr;  // the bitmap's pixels are not the image's to free
  XDestroyImage(n.image);
  n.image = nullptr;
}

void IEditorWin::FitWindow() {
  if (!IEditorWinSystem::HasWindow(this)) return;
  Native& n = *native;
  // The bitmap may have moved with its new size.
  IEditorWinSystem::DescribeBitmap(this);
  XResizeWindow(n.display, n.window, static_cast<unsigned>(ScaledWidth()), static_cast<unsigned>(ScaledHeight()));
  XFlush(n.display);
}

// X11 tells a child window nothing of a display's scale: the host does, or
// the user's zoom.
double IEditorWin::MonitorScale() const { return 0.0; }

void IEditorWinSystem::ForgetWindow(IEditorWin* editor) {
  if (!HasWindow(editor)) return;
  IEditorWin::Native& n = *editor->native;
  if (editor->countdown > 0 && editor->plug) editor->plug->FlushDeferredEdit();
  editor->countdown = 0;
  // A drag cut short by the window going away still ends its host gesture.
  if (editor->captureIndex >= 0) editor->HandleMouseUp(editor->lastX, editor->lastY, IMouseState());
  n.captured = false;
  n.lastPress[0].armed = n.lastPress[1].armed = false;
  DestroyEntryBox(editor);
  editor->CloseEntry();
  ForgetImage(n);
  if (n.gc) XFreeGC(n.display, n.gc);
  n.gc = nullptr;
  n.window = 0;
  editor->window = nullptr;
}

void IEditorWin::HostFolder(char* text, int size) {
  if (text && size > 0) text[0] = '\0';
}

void IEditorWin::PluginFolder(char* text, int size) {
  if (text && size > 0) text[0] = '\0';
}

// No dialogs of the desktop's on X11: nothing in this program asks for them.
void IEditorWin::PromptForFile(char* path, int size, int32_t, const char*, const char*) {
  if (path && size > 0) path[0] = '\0';
}

bool IEditorWin::PromptForColour(IArgb*, const char*) { return false; }
