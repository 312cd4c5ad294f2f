#include "raster/FontGlyphCache.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

constexpr size_t kExtraGrowBytes = 4096;
constexpr size_t kStoreGrowBytes = 65536;

PX_GlyphEntry emptyEntry(uint32_t code) { return {PX_GlyphCache::kNotRendered, 0, 0, 0, static_cast<int32_t>(code), 0}; }

// Grows a malloc'ed block to hold at least `needed` units, in whole steps.
// Leaves the block untouched when the allocator refuses.
template <class T>
bool growBlock(T** block, size_t* capacity, size_t needed, size_t stepUnits) {
  if (needed <= *capacity) return true;
  size_t grown = (needed + stepUnits - 1) / stepUnits * stepUnits;
  void* p = std::realloc(*block, grown * sizeof(T));
  if (!p) return false;
  *block = static_cast<T*>(p);
  *capacity = grown;
  return true;
}

}  // namespace

PX_GlyphCache::PX_GlyphCache() { clear(); }

PX_GlyphCache::~PX_GlyphCache() {
  std::free(extra_);
  std::free(store_);
}

void PX_GlyphCache::clear() {
  for (uint32_t c = 0; c < 128; ++c) ascii_[c] = emptyEntry(c);
  std::free(extra_);
  std::free(store_);
  extra_ = nullptr;
  store_ = nullptr;
  extraCount_ = extraCapacity_ = storeSize_ = storeCapacity_ = 0;
}

PX_GlyphEntry* PX_GlyphCache::find(uint32_t code) {
  if (code < 128) return &ascii_[code];
  PX_GlyphEntry* end = extra_ + extraCount_;
  PX_GlyphEntry* it = std::lower_bound(extra_, end, static_cast<int32_t>(code),
                                       [](const PX_GlyphEntry& e, int32_t c) { return e.code < c; });
  return it != end && it->code == static_cast<int32_t>(code) ? it : nullptr;
}

PX_GlyphEntry* PX_GlyphCache::findOrAdd(uint32_t code) {
  if (PX_GlyphEntry* e = find(code)) return e;
  if (!growBlock(&extra_, &extraCapacity_, extraCount_ + 1, kExtraGrowBytes / sizeof(PX_GlyphEntry)))
    return nullptr;
  // Inserting at the sorted place keeps the table ready for binary search.
  PX_GlyphEntry* end = extra_ + extraCount_;
  PX_GlyphEntry* at = std::lower_bound(extra_, end, static_cast<int32_t>(code),
                                       [](const PX_GlyphEntry& e, int32_t c) { return e.code < c; });
  std::memmove(at + 1, at, static_cast<size_t>(end - at) * sizeof(PX_GlyphEntry));
  *at = emptyEntry(code);
  ++extraCount_;
  return at;
}

int32_t PX_GlyphCache::store(const uint8_t* bytes, size_t count) {
  if (storeSize_ + count >= static_cast<size_t>(INT32_MAX)) return 0;
  if (!growBlock(&store_, &storeCapacity_, storeSize_ + count, kStoreGrowBytes)) return 0;
  if (count > 0) std::memcpy(store_ + storeSize_, bytes, count);
  int32_t position = static_cast<int32_t>(storeSize_) + 1;
  storeSize_ += count;
  return position;
}

const uint8_t* PX_GlyphCache::coverage(const PX_GlyphEntry& entry) const {
  return entry.position > 0 && store_ ? store_ + (entry.position - 1) : nullptr;
}
