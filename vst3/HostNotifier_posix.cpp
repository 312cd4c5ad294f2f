// The notifier's turns on Linux: a timer of the host's run loop.
#include "base/source/fobject.h"
#include "pluginterfaces/gui/iplugview.h"
#include "vst3/HostNotifier.h"

using namespace Steinberg;

namespace {

// Registered with the host's run loop; the host may keep its reference a
// while after it is unregistered, so it is told to do nothing first.
class NotifierTimer : public FObject, public Linux::ITimerHandler {
 public:
  NotifierTimer(HostNotifier::Turn turn, void* owner) : turn(turn), owner(owner) {}
  void Detach() { owner = nullptr; }
  void PLUGIN_API onTimer() override {
    if (owner) turn(owner);
  }

  OBJ_METHODS(NotifierTimer, FObject)
  REFCOUNT_METHODS(FObject)
  DEFINE_INTERFACES
    DEF_INTERFACE(Linux::ITimerHandler)
  END_DEFINE_INTERFACES(FObject)

 private:
  HostNotifier::Turn turn;
  void* owner;
};

// The run loop a host offers through one of its objects, or null.
IPtr<Linux::IRunLoop> RunLoopOf(FUnknown* object) {
  if (!object) return nullptr;
  Linux::IRunLoop* loop = nullptr;
  if (object->queryInterface(Linux::IRunLoop::iid, reinterpret_cast<void**>(&loop)) != kResultOk || !loop)
    return nullptr;
  return owned(loop);
}

}  // namespace

struct HostNotifier::Native {
  IPtr<Linux::IRunLoop> runLoop;
  IPtr<NotifierTimer> timer;
};

void HostNotifier::NativeDeleter::operator()(Native* n) const {
  if (n && n->runLoop && n->timer) {
    n->runLoop->unregisterTimer(n->timer);
    n->timer->Detach();
  }
  delete n;
}

HostNotifier::HostNotifier(Turn turn, void* owner) : turn(turn), owner(owner) {}

HostNotifier::~HostNotifier() { Stop(); }

void HostNotifier::Start(FUnknown* hostContext, FUnknown* handler) {
  IPtr<Linux::IRunLoop> loop = RunLoopOf(handler);
  if (!loop) loop = RunLoopOf(hostContext);
  if (!loop) return;  // keep what runs, if anything: this host offers no other
  if (native && native->runLoop.get() == loop.get()) return;
  Stop();
  std::unique_ptr<Native, NativeDeleter> started(new Native());
  started->timer = owned(new NotifierTimer(turn, owner));
  if (loop->registerTimer(started->timer, static_cast<Linux::TimerInterval>(kPeriodMs)) != kResultOk) return;
  started->runLoop = loop;
  native = std::move(started);
}

void HostNotifier::Stop() { native.reset(); }

bool HostNotifier::Running() const { return native != nullptr; }
