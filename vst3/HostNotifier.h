// HostNotifier: the plug-in's own turn on the host's UI thread, about every
// kPeriodMs while a controller exists.
//
// Hosts hold their own locks around the calls they make into a plug-in, and
// some take the same lock again when told of a change, so the plug-in never
// calls its host back from inside one of its calls or from the audio thread.
// What the host must hear (restartComponent) is noted, and told from here.
//
// Windows: a timer of a message-only window made on the thread that starts
// the notifier. Linux: a timer of the host's run loop, asked of the component
// handler first and then of the host context; a host that offers none gets no
// turns here (the open editor's timer then serves).
#pragma once

#include <memory>

#include "pluginterfaces/base/funknown.h"

class HostNotifier {
 public:
  using Turn = void (*)(void* owner);
  static constexpr int kPeriodMs = 50;

  HostNotifier(Turn turn, void* owner);
  ~HostNotifier();
  HostNotifier(const HostNotifier&) = delete;
  HostNotifier& operator=(const HostNotifier&) = delete;

  // UI thread. Starts the turns, or moves them to the run loop the host now
  // offers; null arguments are allowed.
  void Start(Steinberg::FUnknown* hostContext, Steinberg::FUnknown* handler);
  // UI thread. No turn comes after this returns.
  void Stop();
  bool Running() const;

 private:
  struct Native;
  struct NativeDeleter {
    void operator()(Native* n) const;
  };
  Turn turn;
  void* owner;
  std::unique_ptr<Native, NativeDeleter> native;
};
