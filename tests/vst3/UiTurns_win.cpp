// The turns on Windows: the test thread's messages, dispatched as a host's
// message loop dispatches them.
#include <windows.h>

#include "UiTurns.h"

struct UiTurns::Native {};

UiTurns::UiTurns() : native(new Native()) {}

UiTurns::~UiTurns() = default;

void* UiTurns::Answer(const Steinberg::TUID) { return nullptr; }

bool UiTurns::RunUntil(const std::function<bool()>& done, int ms) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ms);
  while (true) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (done && done()) return true;
    if (GetTickCount64() >= end) return done ? done() : true;
    Sleep(1);
  }
}
