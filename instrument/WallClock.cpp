#include "instrument/WallClock.h"

#include <chrono>

namespace {

class SteadyClock : public WallClock {
 public:
  uint32_t Milliseconds() override {
    auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
  }
};

}  // namespace

WallClock* WallClock::System() {
  static SteadyClock clock;
  return &clock;
}
