#include <windows.h>

#include "tools/ondivox/Interruption.h"

namespace {

volatile LONG caught = -1;

BOOL WINAPI Notice(DWORD event) {
  InterlockedExchange(&caught, static_cast<LONG>(event));
  if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) return TRUE;
  // The console is closing, or the user logging off: the system ends the
  // process when this returns, so wait for the main thread to clean up and
  // leave (which ends this thread too).
  Sleep(4500);
  return TRUE;
}

}  // namespace

InterruptionWatch::InterruptionWatch() { SetConsoleCtrlHandler(Notice, TRUE); }

InterruptionWatch::~InterruptionWatch() { SetConsoleCtrlHandler(Notice, FALSE); }

bool InterruptionWatch::Requested() { return caught >= 0; }

// As a console program ended by Ctrl+C reports it; 129 for a closed console.
int EndAsInterrupted() { return caught == CTRL_C_EVENT || caught == CTRL_BREAK_EVENT ? 130 : 129; }
