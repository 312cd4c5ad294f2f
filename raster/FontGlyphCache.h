// The glyph cache of one font: a fixed table for codes 0-127, a sorted,
// growable table for the rest, and one byte store holding every rendered
// glyph's coverage (one byte per pixel, row after row).
#pragma once

#include <cstddef>
#include <cstdint>

struct PX_GlyphEntry {
  // Offset of the coverage in the store plus 1; 0 not rendered yet; -1 renders to nothing.
  int32_t position;
  int32_t width;
  int32_t height;
  int32_t advance;     // pixels the pen moves
  int32_t code;        // sort key of the extra table
  int32_t leftOffset;  // how far the first stored column lies left of the pen
};

class PX_GlyphCache {
 public:
  static constexpr int32_t kNotRendered = 0;
  static constexpr int32_t kRendersToNothing = -1;

  PX_GlyphCache();
  ~PX_GlyphCache();
  PX_GlyphCache(const PX_GlyphCache&) = delete;
  PX_GlyphCache& operator=(const PX_GlyphCache&) = delete;

  // Forgets every glyph.
  void clear();
  // The entry of a code, or null when codes from 128 up have none yet.
  PX_GlyphEntry* find(uint32_t code);
  // As find, but adds an unrendered entry for a missing code; null only when
  // the table cannot grow. The pointer lives until the next add or clear.
  PX_GlyphEntry* findOrAdd(uint32_t code);

  // Appends a glyph's coverage; answers its position (offset + 1), or 0
  // when the store cannot grow.
  int32_t store(const uint8_t* bytes, size_t count);
  const uint8_t* coverage(const PX_GlyphEntry& entry) const;

  size_t storedBytes() const { return storeSize_; }

 private:
  PX_GlyphEntry ascii_[128];
  PX_GlyphEntry* extra_ = nullptr;
  size_t extraCount_ = 0;
  size_t extraCapacity_ = 0;  // entries
  uint8_t* store_ = nullptr;
  size_t storeSize_ = 0;
  size_t storeCapacity_ = 0;  // bytes
};
