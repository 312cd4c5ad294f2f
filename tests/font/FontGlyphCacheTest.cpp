#include <gtest/gtest.h>

#include "raster/FontGlyphCache.h"

namespace {

TEST(FontGlyphCache, AsciiEntriesAlwaysExist) {
  PX_GlyphCache cache;
  PX_GlyphEntry* a = cache.find('A');
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->code, 'A');
  EXPECT_EQ(a->position, PX_GlyphCache::kNotRendered);
  EXPECT_EQ(cache.find(0x20AC), nullptr);
}

TEST(FontGlyphCache, ExtraCodesStaySortedAndFindable) {
  PX_GlyphCache cache;
  // Enough codes in a scrambled order to grow the table several times.
  const uint32_t kCount = 1500;
  for (uint32_t i = 0; i < kCount; ++i) {
    uint32_t code = 128 + (i * 7919u) % kCount;
    PX_GlyphEntry* e = cache.findOrAdd(code);
    ASSERT_NE(e, nullptr);
    e->advance = static_cast<int32_t>(code);  // a mark to find again
  }
  for (uint32_t code = 128; code < 128 + kCount; ++code) {
    PX_GlyphEntry* e = cache.find(code);
    ASSERT_NE(e, nullptr) << code;
    EXPECT_EQ(e->code, static_cast<int32_t>(code));
    EXPECT_EQ(e->advance, static_cast<int32_t>(code));
  }
  EXPECT_EQ(cache.findOrAdd(200), cache.find(200));  // no duplicate
}

TEST(FontGlyphCache, StoreAnswersOffsetPlusOneAndClearForgets) {
  PX_GlyphCache cache;
  const uint8_t first[] = {1, 2, 3};
  const uint8_t second[] = {9, 8};
  int32_t p1 = cache.store(first, 3);
  int32_t p2 = cache.store(second, 2);
  EXPECT_EQ(p1, 1);
  EXPECT_EQ(p2, 4);
  PX_GlyphEntry e = {p2, 2, 1, 3, 'x', 0};
  EXPECT_EQ(cache.coverage(e)[0], 9);
  EXPECT_EQ(cache.coverage(e)[1], 8);

  cache.findOrAdd(300)->position = p1;
  cache.find('x')->position = p2;
  cache.clear();
  EXPECT_EQ(cache.find(300), nullptr);
  EXPECT_EQ(cache.find('x')->position, PX_GlyphCache::kNotRendered);
  EXPECT_EQ(cache.storedBytes(), 0u);
}

}  // namespace
