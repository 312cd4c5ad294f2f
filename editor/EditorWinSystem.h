// IEditorWinSystem: the Win32 side of IEditorWin that needs its fields, and
// the Win32 state an editor keeps beside its window.
//
// Included only by the *_win.cpp files of the editor. Handles are passed as
// void* and message parameters as plain integers so that this header needs
// no system header; the definitions cast them back.
#pragma once

#include <cstdint>

#include "editor/EditorWin.h"

struct IEditorWin::Native {
  void* editBox = nullptr;      // the value entry box while open
  void* editOldProc = nullptr;  // the box's own window procedure, put back when it closes
  uint32_t customColours[16] = {};  // kept for the colour dialog between calls
};

struct IEditorWinSystem {
  // The editor's Win32 state, made on first use.
  static IEditorWin::Native& NativeOf(IEditorWin* editor);
  // The open entry box, or null.
  static void* EntryBox(const IEditorWin* editor);

  static constexpr uintptr_t kTimerId = 2;
  static constexpr int kEntryBoxId = 99;

  // The process-wide window class: registered by the first open window,
  // unregistered when the last one closes.
  static bool AcquireClass(void* module);
  static void ReleaseClass(void* module);
  static void* CreateEditorWindow(IEditorWin* editor, void* parent, int x, int y, int w, int h);
  // The display scale of the monitor a window is on (its DPI over 96); 0
  // when the system cannot say.
  static double MonitorScaleOf(void* window);

  // Ends what the open window was doing (a wheel countdown, a drag, the
  // entry box) and detaches the editor from it, without destroying it.
  static void ForgetWindow(IEditorWin* editor);
  // The window went with its parent, not through CloseWindow.
  static void WindowDestroyed(IEditorWin* editor);

  // A button press in the editor while the entry box is open: a right click
  // asks to discard the typed text and answers true (the click goes no
  // further); a left click asks to commit it and is then handled as usual.
  static bool EntryBoxClick(IEditorWin* editor, bool left);
  // The entry box's window procedure, in front of the box's own.
  static intptr_t EntryMessage(void* box, uint32_t msg, uintptr_t wParam, intptr_t lParam);
  // Puts the box's own procedure back and destroys the box with its font.
  static void DestroyEntryBox(IEditorWin* editor);
};
