// A host that holds one non-recursive lock around its calls into the plug-in
// and takes it again when told to restart, as a common Linux DAW does: the
// plug-in must never call it back from inside one of those calls, or from the
// audio thread. The lock here notices a second taking by the thread holding
// it and waits for another thread only so long, so a fault fails the test
// instead of hanging it.
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "BundleFixture.h"
#include "instrument/Ondivox.h"
#include "tools/host/ParameterChanges.h"

namespace {

class HostLock {
 public:
  // False when the calling thread holds it already (a real host would hang
  // for good) or another thread held it for two seconds.
  bool Take() {
    std::unique_lock<std::mutex> g(m);
    if (held && owner == std::this_thread::get_id()) return false;
    if (!free.wait_for(g, std::chrono::seconds(2), [&] { return !held; })) return false;
    held = true;
    owner = std::this_thread::get_id();
    return true;
  }
  void Give() {
    {
      std::lock_guard<std::mutex> g(m);
      held = false;
    }
    free.notify_one();
  }

 private:
  std::mutex m;
  std::condition_variable free;
  bool held = false;
  std::thread::id owner;
};

struct Restart {
  int32 flags;
  bool onUiThread;
  std::vector<double> values;  // what the host read back, under its lock
};

class LockingHandler : public TurnsHandler {
 public:
  LockingHandler(UiTurns& turns, HostLock& lock) : TurnsHandler(turns), lock(lock) {}
  IEditController* controller = nullptr;
  std::thread::id uiThread = std::this_thread::get_id();
  std::vector<Restart> restarts;
  int deadlocks = 0;

  tresult PLUGIN_API restartComponent(int32 flags) override {
    if (!lock.Take()) {
      ++deadlocks;
      return kResultFalse;
    }
    Restart r{flags, std::this_thread::get_id() == uiThread, {}};
    for (ParamID id = 0; controller && id < kNumParams; ++id) r.values.push_back(controller->getParamNormalized(id));
    restarts.push_back(r);
    lock.Give();
    return kResultOk;
  }

 private:
  HostLock& lock;
};

class HostLockTest : public BundleTest {
 protected:
  void SetUp() override {
    std::string error;
    plug = PluginInstance::Open(module, PluginHost{"Ondivox Test Host", &host}, &error);
    ASSERT_TRUE(plug) << error;
    host.controller = plug->Controller();
    ASSERT_EQ(plug->Setup(48000.0, 256, kSample32), kResultOk);
  }

  // A call into the plug-in with the host's lock held, as the host makes it.
  template <typename Call>
  void Locked(Call call) {
    ASSERT_TRUE(lock.Take());
    call();
    lock.Give();
  }

  // Program index's values as the instrument defines them.
  static std::vector<double> ProgramValues(int index) {
    CLS_ONDIVOX reference;
    EXPECT_TRUE(reference.SelectPreset(index));
    std::vector<double> values;
    for (int i = 0; i < kNumParams; ++i) values.push_back(reference.Param(i)->NormalizedValue());
    return values;
  }

  // Gives the plug-in its turns until it has told the host, then a while
  // longer, and expects one restart that read values.
  void ExpectOneRestartShowing(const std::vector<double>& values) {
    ASSERT_TRUE(turns.RunUntil([&] { return !host.restarts.empty() || host.deadlocks > 0; }, 3000))
        << "the host was never told";
    turns.Run(3 * HostNotifier::kPeriodMs);
    EXPECT_EQ(host.deadlocks, 0) << "called back from inside a host call";
    ASSERT_EQ(host.restarts.size(), 1u);
    const Restart& r = host.restarts[0];
    EXPECT_EQ(r.flags, kParamValuesChanged);
    EXPECT_TRUE(r.onUiThread);
    EXPECT_EQ(r.values, values);
    host.restarts.clear();
  }

  HostLock lock;
  LockingHandler host{turns, lock};
  std::unique_ptr<PluginInstance> plug;
};

}  // namespace

TEST_F(HostLockTest, ProgramFromTheHostsMenuIsAnnouncedOutsideTheCall) {
  IEditController* ctl = plug->Controller();
  Locked([&] {
    EXPECT_EQ(ctl->setParamNormalized(kPrst, ProgramValue(40)), kResultOk);
    ctl->getParamNormalized(kBaseFreq);  // hosts read back inside the same lock
  });
  EXPECT_TRUE(host.restarts.empty());
  ExpectOneRestartShowing(ProgramValues(40));
}

TEST_F(HostLockTest, ProgramFromAProcessQueueIsAnnouncedOnTheUiThread) {
  std::thread audio([&] {
    ParameterChanges changes;
    changes.Add(kPrst, ProgramValue(12));
    StereoBuffers<float> in(256), out(256);
    ProcessContext context = PlayingContext(48000.0, 0);
    plug->Process(256, 2, in.pointers, out.pointers, &changes, &context);
  });
  audio.join();
  // The host's next calls, inside its lock, must not be where it hears.
  Locked([&] {
    plug->Controller()->getParamNormalized(kBaseFreq);
    plug->Controller()->setParamNormalized(kVolume, plug->Controller()->getParamNormalized(kVolume));
  });
  EXPECT_TRUE(host.restarts.empty());
  ExpectOneRestartShowing(ProgramValues(12));
}

TEST_F(HostLockTest, LoadedStateIsAnnouncedOutsideTheCall) {
  auto source = Make();
  ASSERT_EQ(source->Controller()->setParamNormalized(kPrst, ProgramValue(70)), kResultOk);
  const std::vector<uint8_t> state = source->SaveState();
  Locked([&] { EXPECT_EQ(plug->LoadState(state), kResultOk); });
  EXPECT_TRUE(host.restarts.empty());
  ExpectOneRestartShowing(ProgramValues(70));
}

TEST_F(HostLockTest, EveryChangeIsAnnouncedOnce) {
  for (int program : {3, 90, 140}) {
    SCOPED_TRACE(program);
    Locked([&] { plug->Controller()->setParamNormalized(kPrst, ProgramValue(program)); });
    ExpectOneRestartShowing(ProgramValues(program));
  }
}
