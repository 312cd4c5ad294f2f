// Views on Linux embed the editor as an X11 child of the host's window. A
// plug-in runs no event thread of its own there: the host's run loop (asked
// of the view's frame) watches the editor's display connection and calls the
// editor's timer. A host without a run loop gets no editor.
#include <cstring>
#include <map>

#include "base/source/fobject.h"
#include "editor/EditorWin.h"
#include "pluginterfaces/base/funknown.h"
#include "vst3/EditorView.h"

using namespace Steinberg;

namespace {

// The published virtual key codes a host passes to onKeyDown, and its
// modifier bits, as far as the editor uses them.
enum HostKeyCode : int16 {
  kHostBack = 1,
  kHostReturn = 4,
  kHostEscape = 6,
  kHostSpace = 7,
  kHostEnd = 9,
  kHostHome = 10,
  kHostLeft = 11,
  kHostUp = 12,
  kHostRight = 13,
  kHostDown = 14,
  kHostEnter = 19,
  kHostDelete = 22,
};
enum HostModifier : int16 { kHostAlt = 1 << 1, kHostCommand = 1 << 2, kHostControl = 1 << 3 };

IKeyPress KeyOf(char16 key, int16 keyCode, int16 modifiers) {
  IKeyPress press;
  switch (keyCode) {
    case kHostBack: press.key = IKey::kBackspace; return press;
    case kHostDelete: press.key = IKey::kDelete; return press;
    case kHostLeft: press.key = IKey::kLeft; return press;
    case kHostRight: press.key = IKey::kRight; return press;
    case kHostUp: press.key = IKey::kUp; return press;
    case kHostDown: press.key = IKey::kDown; return press;
    case kHostHome: press.key = IKey::kHome; return press;
    case kHostEnd: press.key = IKey::kEnd; return press;
    case kHostReturn: case kHostEnter: press.key = IKey::kEnter; return press;
    case kHostEscape: press.key = IKey::kEscape; return press;
    case kHostSpace: key = ' '; break;
    default: break;
  }
  // Chords are the host's shortcuts; the entry takes plain ASCII text only.
  if ((modifiers & (kHostAlt | kHostCommand | kHostControl)) != 0) return press;
  if (key >= 0x20 && key < 0x7F) {
    press.key = IKey::kText;
    press.text = static_cast<char>(key);
  }
  return press;
}

// The editor's side of the host's run loop: the connection's events when its
// descriptor is readable, and the editor's timer.
class RunLoopLink : public FObject, public Linux::IEventHandler, public Linux::ITimerHandler {
 public:
  explicit RunLoopLink(IEditorWin* editor) : editor(editor) {}
  // The host may keep its reference a while: afterwards the calls do nothing.
  void Detach() { editor = nullptr; }

  void PLUGIN_API onFDIsSet(Linux::FileDescriptor) override {
    if (editor) editor->DispatchEvents();
  }
  void PLUGIN_API onTimer() override {
    if (!editor) return;
    // Xlib may have read events into its queue without the descriptor
    // showing them: take them before the tick.
    editor->DispatchEvents();
    if (editor) editor->Tick();
  }

  OBJ_METHODS(RunLoopLink, FObject)
  REFCOUNT_METHODS(FObject)
  DEFINE_INTERFACES
    DEF_INTERFACE(Linux::IEventHandler)
    DEF_INTERFACE(Linux::ITimerHandler)
  END_DEFINE_INTERFACES(FObject)

 private:
  IEditorWin* editor;
};

// The one window of an editor is driven by one run loop: that of the view
// that opened it last. A view that lost the window to another leaves it
// alone when it is removed.
struct Hook {
  const void* view = nullptr;
  IPtr<Linux::IRunLoop> runLoop;
  IPtr<RunLoopLink> link;
};

// Touched only on the host's UI thread, in attached, removed and view
// destruction.
std::map<IEditorWin*, Hook>& Hooks() {
  static std::map<IEditorWin*, Hook> hooks;
  return hooks;
}

void Unhook(IEditorWin* editor) {
  auto it = Hooks().find(editor);
  if (it == Hooks().end()) return;
  Hook& h = it->second;
  h.runLoop->unregisterEventHandler(h.link);
  h.runLoop->unregisterTimer(h.link);
  h.link->Detach();
  Hooks().erase(it);
}

bool Owns(const void* view, IEditorWin* editor) {
  auto it = Hooks().find(editor);
  return it != Hooks().end() && it->second.view == view;
}

}  // namespace

struct IEffectVST3View::Native {
  IEditorWin* editor = nullptr;  // the editor whose window this view opened
};

// A view let go of while it still shows the window takes the window along:
// nothing would drive it any more.
void IEffectVST3View::NativeDeleter::operator()(Native* n) const {
  if (n && n->editor && Owns(n, n->editor)) {
    Unhook(n->editor);
    n->editor->CloseWindow();
  }
  delete n;
}

bool IEffectVST3View::IsNativeType(FIDString type) {
  return type && std::strcmp(type, kPlatformTypeX11EmbedWindowID) == 0;
}

bool IEffectVST3View::OpenWindow(IEditor* editor, void* parent) {
  auto* window = dynamic_cast<IEditorWin*>(editor);
  if (!window || !plugFrame) return false;
  FUnknownPtr<Linux::IRunLoop> runLoop(plugFrame);
  if (!runLoop) return false;
  if (!native) native.reset(new Native());
  native->editor = window;
  // The host stops watching the old window's driver before it moves.
  Unhook(window);
  if (!window->OpenWindow(parent)) return false;
  Hook h;
  h.view = native.get();
  h.runLoop = runLoop;
  h.link = owned(new RunLoopLink(window));
  bool hooked = runLoop->registerEventHandler(h.link, window->EventSource()) == kResultOk &&
                runLoop->registerTimer(h.link, static_cast<Linux::TimerInterval>(window->TickPeriodMs())) == kResultOk;
  Hooks()[window] = h;
  if (hooked) return true;
  CloseWindow(editor);
  return false;
}

void IEffectVST3View::CloseWindow(IEditor* editor) {
  auto* window = dynamic_cast<IEditorWin*>(editor);
  if (!window || !native || !Owns(native.get(), window)) return;
  // The host stops watching before the connection closes.
  Unhook(window);
  window->CloseWindow();
}

tresult PLUGIN_API IEffectVST3View::onKeyDown(char16 key, int16 keyCode, int16 modifiers) {
  if (!native || !native->editor || !Owns(native.get(), native->editor)) return kResultFalse;
  return native->editor->TakeKey(KeyOf(key, keyCode, modifiers)) ? kResultTrue : kResultFalse;
}
