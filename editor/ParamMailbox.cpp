#include "editor/ParamMailbox.h"

void ParamMailbox::Resize(int32_t newCount) {
  count = newCount > 0 ? newCount : 0;
  slots.reset(count > 0 ? new Slot[count] : nullptr);
}

void ParamMailbox::PostValue(int32_t index, double normalized) {
  if (index < 0 || index >= count) return;
  slots[index].value.store(normalized, std::memory_order_relaxed);
  // Released after the value, so a taker that sees the flag sees the value.
  slots[index].valuePosted.store(true, std::memory_order_release);
}

void ParamMailbox::PostHidden(int32_t index, bool hidden) {
  if (index < 0 || index >= count) return;
  slots[index].hidden.store(hidden ? 1 : 0, std::memory_order_release);
}

bool ParamMailbox::TakeValue(int32_t index, double* normalized) {
  if (index < 0 || index >= count) return false;
  if (!slots[index].valuePosted.exchange(false, std::memory_order_acquire)) return false;
  *normalized = slots[index].value.load(std::memory_order_relaxed);
  return true;
}

int32_t ParamMailbox::TakeHidden(int32_t index) {
  if (index < 0 || index >= count) return -1;
  return slots[index].hidden.exchange(-1, std::memory_order_acquire);
}
