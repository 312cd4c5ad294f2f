// The editor window's X11 events, turned into the editor's events as the
// Win32 window procedure turns messages: buttons with capture while held,
// motion, leaving, the wheel, double clicks and keys.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <cstdlib>

#include "editor/EditorWin.h"
#include "editor/EditorX11System.h"

namespace {

// state is the event's: what was held before the event itself.
IMouseState MouseStateOf(unsigned state) {
  IMouseState m;
  m.L = (state & Button1Mask) != 0;
  m.R = (state & Button3Mask) != 0;
  m.S = (state & ShiftMask) != 0;
  m.C = (state & ControlMask) != 0;
  m.A = (state & Mod1Mask) != 0;
  return m;
}

IKeyPress KeyOf(XKeyEvent& event) {
  char text[8] = {};
  KeySym sym = NoSymbol;
  int n = XLookupString(&event, text, sizeof text, &sym, nullptr);
  IKeyPress press;
  switch (sym) {
    case XK_BackSpace: press.key = IKey::kBackspace; return press;
    case XK_Delete: case XK_KP_Delete: press.key = IKey::kDelete; return press;
    case XK_Left: case XK_KP_Left: press.key = IKey::kLeft; return press;
    case XK_Right: case XK_KP_Right: press.key = IKey::kRight; return press;
    case XK_Up: case XK_KP_Up: press.key = IKey::kUp; return press;
    case XK_Down: case XK_KP_Down: press.key = IKey::kDown; return press;
    case XK_Home: case XK_KP_Home: press.key = IKey::kHome; return press;
    case XK_End: case XK_KP_End: press.key = IKey::kEnd; return press;
    case XK_Return: case XK_KP_Enter: press.key = IKey::kEnter; return press;
    case XK_Escape: press.key = IKey::kEscape; return press;
    default: break;
  }
  // Control and Alt combinations are the host's shortcuts, not text.
  bool chord = (event.state & (ControlMask | Mod1Mask)) != 0;
  if (n == 1 && !chord && static_cast<unsigned char>(text[0]) >= 0x20 && text[0] != 0x7F) {
    press.key = IKey::kText;
    press.text = text[0];
  }
  return press;
}

}  // namespace

// A press of button 1 or 3 (index 0 or 1) that pairs with the one before.
bool IEditorWinSystem::IsDoubleClick(IEditorWin::Native::Press& last, const XButtonEvent& e) {
  bool pairs = last.armed && e.time - last.time <= kDoubleClickMs &&
               std::abs(e.x - last.x) <= kDoubleClickDistance &&
               std::abs(e.y - last.y) <= kDoubleClickDistance;
  // A third press starts over rather than making a second double click.
  last = {e.time, e.x, e.y, !pairs};
  return pairs;
}

void IEditorWinSystem::HandleEvent(IEditorWin* editor, XEvent& event) {
  IEditorWin::Native& n = *editor->native;
  if (!n.window || event.xany.window != n.window) return;
  switch (event.type) {
    case Expose: {
      // The bitmap already holds the picture: copy the exposed area of it.
      XExposeEvent& e = event.xexpose;
      PutArea(editor, editor->Scale().ToFace(IRect(e.x, e.y, e.x + e.width, e.y + e.height)));
      break;
    }
    case ButtonPress: {
      XButtonEvent& e = event.xbutton;
      IMouseState mod = MouseStateOf(e.state);
      const IEditor::IFacePoint at = editor->FacePoint(e.x, e.y);
      if (e.button == Button4 || e.button == Button5) {
        editor->HandleMouseWheel(at.x, at.y, mod, e.button == Button4 ? 1 : -1);
        break;
      }
      if (e.button != Button1 && e.button != Button3) break;
      bool left = e.button == Button1;
      (left ? mod.L : mod.R) = true;
      bool twice = IsDoubleClick(n.lastPress[left ? 0 : 1], e);
      if (n.entryOpen && EntryBoxClick(editor, left, at.x, at.y)) break;
      if (!left && twice) break;  // the second press of a right double click does nothing
      if (left && twice) {
        editor->HandleDoubleClick(at.x, at.y, mod);
        break;
      }
      // The server holds the pointer for this window until the release.
      n.captured = true;
      editor->HandleMouseDown(at.x, at.y, mod);
      break;
    }
    case ButtonRelease: {
      XButtonEvent& e = event.xbutton;
      if (e.button != Button1 && e.button != Button3) break;
      IMouseState mod = MouseStateOf(e.state);
      (e.button == Button1 ? mod.L : mod.R) = false;
      n.captured = false;
      const IEditor::IFacePoint at = editor->FacePoint(e.x, e.y);
      editor->HandleMouseUp(at.x, at.y, mod);
      break;
    }
    case MotionNotify: {
      // Only the latest of several motions in a row counts.
      XEvent next;
      while (XPending(n.display) > 0) {
        XPeekEvent(n.display, &next);
        if (next.type != MotionNotify || next.xmotion.window != n.window) break;
        XNextEvent(n.display, &event);
      }
      XMotionEvent& e = event.xmotion;
      IMouseState mod = MouseStateOf(e.state);
      const IEditor::IFacePoint at = editor->FacePoint(e.x, e.y);
      if (mod.L || mod.R) {
        if (n.captured) editor->HandleMouseDrag(at.x, at.y, mod);
        break;
      }
      editor->HandleMouseOver(at.x, at.y, mod);
      break;
    }
    case LeaveNotify:
      // Leaving while a button is held is still the drag's; the end of the
      // hold reports the leave (NotifyUngrab) when the pointer is outside.
      if (event.xcrossing.mode == NotifyGrab || (event.xcrossing.mode == NotifyNormal && n.captured)) break;
      editor->HandleMouseOut();
      break;
    case KeyPress:
      editor->TakeKey(KeyOf(event.xkey));
      break;
    case FocusIn:
    case FocusOut:
      if (event.xfocus.mode == NotifyNormal) FocusChanged(editor, event.type == FocusIn);
      break;
    case DestroyNotify:
      // The host destroyed its window (and so ours) before removing the view.
      ForgetWindow(editor);
      break;
    default:
      break;
  }
}

bool IEditorWin::TakeKey(const IKeyPress& press) {
  if (native && native->entryOpen) return IEditorWinSystem::EntryKey(this, press);
  // The controls see their keys at the pointer. None of this editor's acts
  // on keys, and a control cannot say it used one: the host keeps them all
  // for its shortcuts.
  int32_t code = EditorKeyCode(press);
  if (code < 0 || !IEditorWinSystem::HasWindow(this)) return false;
  Window root = 0, child = 0;
  int rootX = 0, rootY = 0, x = 0, y = 0;
  unsigned state = 0;
  if (XQueryPointer(native->display, native->window, &root, &child, &rootX, &rootY, &x, &y, &state)) {
    const IFacePoint at = FacePoint(x, y);
    HandleKeyDown(at.x, at.y, code);
  }
  return false;
}
