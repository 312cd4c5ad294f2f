// The notifier's turns on Windows: the timer of a message-only window, made
// on the thread that starts the notifier (the host's UI thread), whose
// message loop delivers it.
#include <windows.h>

#include <mutex>

#include "vst3/HostNotifier.h"

namespace {

const char kClassName[] = "OndivoxHostNotifier";
constexpr UINT_PTR kTimerId = 1;

std::mutex& ClassLock() {
  static std::mutex lock;
  return lock;
}
int windows = 0;

struct TurnTarget {
  HostNotifier::Turn turn;
  void* owner;
};

LRESULT CALLBACK NotifierWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_TIMER && wParam == kTimerId) {
    auto* target = reinterpret_cast<TurnTarget*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (target) target->turn(target->owner);
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HINSTANCE ThisModule() {
  HMODULE self = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&NotifierWindowProc), &self);
  return self;
}

// The class lives while a notifier window does, so an unloaded module
// leaves no class behind that names its code.
bool AcquireClass() {
  std::lock_guard<std::mutex> g(ClassLock());
  if (windows == 0) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = NotifierWindowProc;
    wc.hInstance = ThisModule();
    wc.lpszClassName = kClassName;
    if (!RegisterClassA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
  }
  ++windows;
  return true;
}

void ReleaseClass() {
  std::lock_guard<std::mutex> g(ClassLock());
  if (windows > 0 && --windows == 0) UnregisterClassA(kClassName, ThisModule());
}

}  // namespace

struct HostNotifier::Native {
  HWND window = nullptr;
  TurnTarget target{};
};

void HostNotifier::NativeDeleter::operator()(Native* n) const {
  if (n && n->window) {
    KillTimer(n->window, kTimerId);
    DestroyWindow(n->window);
    ReleaseClass();
  }
  delete n;
}

HostNotifier::HostNotifier(Turn turn, void* owner) : turn(turn), owner(owner) {}

HostNotifier::~HostNotifier() { Stop(); }

void HostNotifier::Start(Steinberg::FUnknown*, Steinberg::FUnknown*) {
  if (native || !AcquireClass()) return;
  std::unique_ptr<Native, NativeDeleter> started(new Native());
  started->target = TurnTarget{turn, owner};
  started->window = CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, ThisModule(), nullptr);
  if (!started->window) {
    ReleaseClass();
    return;
  }
  SetWindowLongPtrA(started->window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&started->target));
  if (!SetTimer(started->window, kTimerId, kPeriodMs, nullptr)) return;  // the deleter tidies up
  native = std::move(started);
}

void HostNotifier::Stop() { native.reset(); }

bool HostNotifier::Running() const { return native != nullptr; }
