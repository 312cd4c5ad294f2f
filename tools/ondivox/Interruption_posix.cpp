#include <signal.h>

#include "tools/ondivox/Interruption.h"

namespace {

const int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
volatile sig_atomic_t caught = 0;

extern "C" void Notice(int signal) { caught = signal; }

void Handle(void (*handler)(int), int flags) {
  struct sigaction action = {};
  action.sa_handler = handler;
  action.sa_flags = flags;
  sigemptyset(&action.sa_mask);
  for (int s : kSignals) sigaction(s, &action, nullptr);
}

}  // namespace

// A second interruption while the first is being handled ends the program at once.
InterruptionWatch::InterruptionWatch() { Handle(Notice, SA_RESETHAND); }

InterruptionWatch::~InterruptionWatch() { Handle(SIG_DFL, 0); }

bool InterruptionWatch::Requested() { return caught != 0; }

int EndAsInterrupted() {
  const int signal = caught ? caught : SIGINT;
  Handle(SIG_DFL, 0);
  raise(signal);
  return 128 + signal;
}
