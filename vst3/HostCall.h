// HostCall: the last line of defence at the host boundary.
//
// Entry points that allocate (or call code that may throw) run their body
// through HostCall, so an exception becomes a result code instead of
// unwinding into a host that cannot catch it.
#pragma once

#include <new>

#include "pluginterfaces/base/funknown.h"

template <typename Body>
Steinberg::tresult HostCall(Body&& body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return Steinberg::kOutOfMemory;
  } catch (...) {
    return Steinberg::kInternalError;
  }
}

// The same for an entry point that answers an object: null on failure.
template <typename Body>
auto HostCallObject(Body&& body) noexcept -> decltype(body()) {
  try {
    return body();
  } catch (...) {
    return nullptr;
  }
}
