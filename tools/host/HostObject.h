// HostObject<I...>: reference counting and interface queries for the small
// objects a host hands to a plug-in (application, handler, streams, queues).
//
// The host owns these objects by value; the count only lets the plug-in keep
// references it takes through addRef/release balanced. Nothing is deleted
// when the count falls to zero.
#pragma once

#include <atomic>

#include "pluginterfaces/base/funknown.h"

template <typename... Interfaces>
class HostObject : public Interfaces... {
 public:
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override {
    if (!obj) return Steinberg::kInvalidArgument;
    *obj = nullptr;
    if (Steinberg::FUnknownPrivate::iidEqual(iid, Steinberg::FUnknown::iid)) {
      *obj = static_cast<Steinberg::FUnknown*>(static_cast<First*>(this));
    } else {
      (void)(TryInterface<Interfaces>(iid, obj) || ...);
    }
    if (!*obj) return Steinberg::kNoInterface;
    addRef();
    return Steinberg::kResultOk;
  }
  Steinberg::uint32 PLUGIN_API addRef() override { return ++refCount; }
  Steinberg::uint32 PLUGIN_API release() override { return --refCount; }
  Steinberg::uint32 RefCount() const { return refCount; }

 protected:
  HostObject() = default;
  virtual ~HostObject() = default;

 private:
  template <typename I, typename...>
  struct FirstOf { using type = I; };
  using First = typename FirstOf<Interfaces...>::type;

  template <typename I>
  bool TryInterface(const Steinberg::TUID iid, void** obj) {
    if (!Steinberg::FUnknownPrivate::iidEqual(iid, I::iid)) return false;
    *obj = static_cast<I*>(this);
    return true;
  }

  std::atomic<Steinberg::uint32> refCount{1};
};
