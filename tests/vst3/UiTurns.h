// UiTurns: the host's UI thread giving plug-ins turns of their own, as a
// host's event loop does between its calls: on Linux the timers of a run
// loop the host offers (IRunLoop), on Windows the thread's messages.
#pragma once

#include <functional>
#include <memory>

#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "tools/host/ComponentHandler.h"

class UiTurns {
 public:
  UiTurns();
  ~UiTurns();
  UiTurns(const UiTurns&) = delete;
  UiTurns& operator=(const UiTurns&) = delete;

  // For a host object's queryInterface: the run loop (a reference taken) when
  // iid asks for one this platform has; null otherwise.
  void* Answer(const Steinberg::TUID iid);
  // Gives turns until done holds (after a turn) or ms pass; answers done().
  bool RunUntil(const std::function<bool()>& done, int ms);
  void Run(int ms) { RunUntil(nullptr, ms); }

 private:
  struct Native;
  std::unique_ptr<Native> native;
};

// A component handler that offers the turns' run loop, as hosts' do.
class TurnsHandler : public ComponentHandler {
 public:
  explicit TurnsHandler(UiTurns& turns) : turns(turns) {}
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override {
    if (obj && iid) {
      if (void* loop = turns.Answer(iid)) {
        *obj = loop;
        return Steinberg::kResultOk;
      }
    }
    return ComponentHandler::queryInterface(iid, obj);
  }

 private:
  UiTurns& turns;
};
