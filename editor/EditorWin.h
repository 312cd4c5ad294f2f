// IEditorWin: the only concrete editor; the window side of IEditor.
//
// The platform-neutral parts live in EditorWin.cpp: the timer tick (the
// entry box's decision, redraw and the countdown that ends a deferred wheel
// edit), the value entry's commit and image resources. What needs a window
// is in the *_win.cpp files (a Win32 child window) and the *_posix.cpp files
// (an X11 child window that the host's run loop drives). Each keeps its own
// state in the private Native structure. Without a window the editor runs
// headless: DrawScreen succeeds, IsWindowOpen is false and Tick is driven by
// whoever owns the clock (a test, a snapshot tool).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "editor/Editor.h"
#include "editor/KeyPress.h"

// What the value entry asked for since the last tick; the tick carries it out.
enum class IEntryState : int32_t { kIdle, kTyping, kCancel, kCommit };

class IEditorWin : public IEditor {
 public:
  IEditorWin(IEffectBase* plug, int32_t width, int32_t height, int32_t frameRate);
  ~IEditorWin() override;

  bool DrawScreen(const IRect& area) override;
  bool IsWindowOpen() const override;
  void PromptParamEntry(IEditorElement* control, IParamEntry* param, bool floating) override;
  void HostFolder(char* text, int size) override;
  void PluginFolder(char* text, int size) override;
  void PromptForFile(char* path, int size, int32_t action, const char* folder,
                     const char* extensions) override;
  bool PromptForColour(IArgb* colour, const char* title) override;
  bool OpenUrl(const char* url, const char* title, const char* confirmText,
               const char* errorText) override;
  void StartEditCountdown(int32_t ticks) override { countdown = ticks; }
  void StopEditCountdown() override { countdown = 0; }
  void* OpenWindow(void* parent) override;
  void CloseWindow() override;
  void* WindowHandle() const override { return window; }
  PX_IBitmap* LoadResourceImage(int32_t id, const char* name) override;

  // One timer tick: decide the entry box, repaint what is dirty, then run
  // the wheel countdown.
  void Tick();
  static constexpr int32_t kMaxRepaintAreas = 4;
  int32_t Countdown() const { return countdown; }
  // Timer period in milliseconds.
  int32_t TickPeriodMs() const { return static_cast<int32_t>(1000.0 / frameRate); }

  // The value entry: the control and parameter it was opened for.
  IEditorElement* EntryControl() const { return editControl; }
  // Commits typed text to the entry's parameter (a value text, or a number)
  // as one host gesture, and closes the entry.
  void CommitEntry(const char* text);
  void CancelEntry();

  void SetModule(void* handle) { module = handle; }

  // --- Display scale. The face is drawn at the host's factor while the host
  // gives one; else at the user's zoom choice; else at the scale of the
  // monitor the window is on (per-monitor DPI on Windows); else at 1.
  // factor 0 (or less, or NaN): the host no longer gives one.
  void SetHostScale(double factor);
  double HostScale() const { return hostScale; }
  // Reads the user's remembered zoom; a host's view does so when it is made.
  void LoadUserZoom();
  int32_t UserZoom() const { return userZoom; }
  // Remembers the choice in the user's settings file and follows it.
  void ChooseZoom(int32_t percent) override;
  // Resizes the window with the drawing; an open window's host hears of the
  // new size on the next tick (never from inside one of its own calls).
  bool SetScale(double factor) override;

  // --- For window systems without a message loop of their own (X11), whose
  // windows the host's run loop drives. Elsewhere there is nothing to watch.
  // The file descriptor to watch for reading; -1 when there is none.
  int EventSource() const;
  // Handles every event that has arrived for the window.
  void DispatchEvents();
  // A key the host passes on from its own window; answers whether the editor
  // took it, so that keys it does not use stay the host's.
  bool TakeKey(const IKeyPress& press);

 protected:
  // Shows the dirty area: paints it into the window, or draws it headless.
  void Repaint(const IRect& area);
  void CloseEntry();
  // Where the entry box for a control lies: wide enough for the parameter's
  // widest text, 16 pixels high, centred on the control.
  static IRect EntryRect(const IEditorElement* control, IParamEntry* param);

  void* module = nullptr;
  void* window = nullptr;
  IEditorElement* editControl = nullptr;
  IParamEntry* editParam = nullptr;
  IEntryState editState = IEntryState::kIdle;
  int32_t countdown = 0;
  void* parentWindow = nullptr;

 private:
  // The scale the rules above give now, and taking it.
  double WantedScale() const;
  bool FollowScale() { return SetScale(WantedScale()); }
  // The scale of the monitor the window is on; 0 where the system says none.
  double MonitorScale() const;
  // The open window takes the drawing's size.
  void FitWindow();
  // Tick's last step: a monitor of another scale, and a size the host is to hear of.
  void FollowMonitorAndAnnounceSize();

  double hostScale = 0.0;
  double monitorScale = 0.0;
  int32_t userZoom = 0;
  // The window's size changed while open: the host is asked to follow.
  bool sizeToAnnounce = false;

  // Tick step one: what the entry box asked for since the last tick.
  void DecideEntry();
  // The window system's entry box: whether one is open, its text, and
  // closing it without deciding.
  bool EntryBoxOpen() const;
  std::string EntryBoxText() const;
  void DestroyEntryBox();

  // The window system's own state (the entry box, dialogs' memory), defined
  // by the platform's source file; made on first use.
  struct Native;
  struct NativeDeleter {
    void operator()(Native* n) const;
  };
  std::unique_ptr<Native, NativeDeleter> native;

  // The window procedure, the entry box and their helpers.
  friend struct IEditorWinSystem;
};
