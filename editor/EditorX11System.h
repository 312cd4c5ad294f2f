// IEditorWinSystem on X11: the state an editor keeps beside its window, and
// the helpers of the *_posix.cpp files that need the editor's fields.
//
// Included only by the editor's *_posix.cpp files.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>

#include "editor/EditorWin.h"
#include "editor/EntryText.h"

struct IEditorWin::Native {
  // The editor's own connection to the display named by the environment;
  // open from OpenWindow to CloseWindow, so the host's watch on its file
  // descriptor stays valid while the window is moved or lost.
  Display* display = nullptr;
  Window window = 0;
  GC gc = nullptr;
  // Describes the drawing bitmap's pixels in place (BGRA rows suit a 24-bit
  // TrueColor visual); owns no memory.
  XImage* image = nullptr;
  Visual* visual = nullptr;
  Colormap colormap = 0;

  // Buttons 1 and 3 (left, right): held since a press in the window.
  bool captured = false;
  // The last press of each button, for double clicks: server time, place,
  // and whether the next press may pair with it.
  struct Press {
    Time time = 0;
    int x = 0, y = 0;
    bool armed = false;
  } lastPress[2];

  // The value entry box, drawn into the editor's bitmap over its control.
  bool entryOpen = false;
  IRect entryRect;
  IEntryText entry;
  // Who had the keyboard before the box took it.
  Window focusBefore = 0;
  int revertBefore = 0;
};

struct IEditorWinSystem {
  // Server milliseconds and pixels within which a second press of the same
  // button is a double click, as the desktop's default.
  static constexpr Time kDoubleClickMs = 500;
  static constexpr int kDoubleClickDistance = 2;

  static IEditorWin::Native& NativeOf(IEditorWin* editor);
  static bool HasWindow(const IEditorWin* editor);

  // Ends what the open window was doing (a wheel countdown, a drag, the
  // entry box) and detaches the editor from it, without destroying it.
  static void ForgetWindow(IEditorWin* editor);
  // Copies a face area of the drawing bitmap to the window as it is.
  static void PutArea(IEditorWin* editor, const IRect& area);
  // Describes the drawing bitmap's pixels as the window's image (again
  // after the bitmap's size changed), and lets go of that description.
  static void DescribeBitmap(IEditorWin* editor);
  static void ForgetImage(IEditorWin::Native& n);
  // Whether a press of button 1 or 3 pairs with the one before into a
  // double click; remembers it for the next.
  static bool IsDoubleClick(IEditorWin::Native::Press& last, const XButtonEvent& event);
  // One event from the editor's connection.
  static void HandleEvent(IEditorWin* editor, XEvent& event);

  // A button press while the entry box is open: answers true when the box
  // takes the press (inside it, or a right click that discards the text).
  static bool EntryBoxClick(IEditorWin* editor, bool left, int x, int y);
  // Draws the entry box into the drawing bitmap.
  static void DrawEntryBox(IEditorWin* editor);
  // A key for the open entry box; answers whether the box took it.
  static bool EntryKey(IEditorWin* editor, const IKeyPress& press);
  static void FocusChanged(IEditorWin* editor, bool in);
  // Closes the box (without deciding) and gives the keyboard back.
  static void DestroyEntryBox(IEditorWin* editor);

  // Collects the link openers that have finished, without waiting.
  static void ReapLinkOpeners();
};
