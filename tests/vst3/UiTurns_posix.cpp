// The turns on Linux: a run loop of timers only, run on the test's thread.
#include <chrono>
#include <thread>
#include <vector>

#include "UiTurns.h"
#include "pluginterfaces/gui/iplugview.h"
#include "tools/host/HostObject.h"

using namespace Steinberg;

struct UiTurns::Native : HostObject<Linux::IRunLoop> {
  struct Timer {
    Linux::ITimerHandler* handler;
    int64_t interval, due;
  };
  std::vector<Timer> timers;

  static int64_t Now() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
  }
  tresult PLUGIN_API registerEventHandler(Linux::IEventHandler*, Linux::FileDescriptor) override {
    return kNotImplemented;
  }
  tresult PLUGIN_API unregisterEventHandler(Linux::IEventHandler*) override { return kNotImplemented; }
  tresult PLUGIN_API registerTimer(Linux::ITimerHandler* handler, Linux::TimerInterval ms) override {
    if (!handler || ms == 0) return kInvalidArgument;
    handler->addRef();
    timers.push_back({handler, static_cast<int64_t>(ms), Now() + static_cast<int64_t>(ms)});
    return kResultOk;
  }
  tresult PLUGIN_API unregisterTimer(Linux::ITimerHandler* handler) override {
    for (auto it = timers.begin(); it != timers.end(); ++it) {
      if (it->handler != handler) continue;
      it->handler->release();
      timers.erase(it);
      return kResultOk;
    }
    return kResultFalse;
  }
  // One timer due, fired; false when none is.
  bool FireOne() {
    const int64_t now = Now();
    for (Timer& t : timers) {
      if (t.due > now) continue;
      t.due = now + t.interval;
      IPtr<Linux::ITimerHandler> handler = t.handler;  // it may unregister itself
      handler->onTimer();
      return true;
    }
    return false;
  }
};

UiTurns::UiTurns() : native(new Native()) {}

UiTurns::~UiTurns() {
  for (auto& t : native->timers) t.handler->release();
}

void* UiTurns::Answer(const TUID iid) {
  if (!FUnknownPrivate::iidEqual(iid, Linux::IRunLoop::iid)) return nullptr;
  native->addRef();
  return static_cast<Linux::IRunLoop*>(native.get());
}

bool UiTurns::RunUntil(const std::function<bool()>& done, int ms) {
  const int64_t end = Native::Now() + ms;
  while (true) {
    while (native->FireOne()) {
    }
    if (done && done()) return true;
    if (Native::Now() >= end) return done ? done() : true;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}
