#include <gtest/gtest.h>

#include "editor/Rect.h"

TEST(IRect, EmptyOnlyWhenAllZero) {
  EXPECT_TRUE(IRect(0, 0, 0, 0).Empty());
  EXPECT_FALSE(IRect(5, 5, 5, 5).Empty());
  EXPECT_FALSE(IRect(0, 0, 0, 1).Empty());
}

TEST(IRect, ContainsAllFourEdges) {
  IRect r(10, 10, 20, 20);
  struct Case { int x, y; bool in; } cases[] = {
      {10, 10, true}, {20, 20, true}, {15, 20, true}, {9, 15, false}, {21, 15, false}, {15, 21, false}};
  for (const Case& c : cases) EXPECT_EQ(r.Contains(c.x, c.y), c.in) << c.x << "," << c.y;
}

TEST(IRect, UnionSkipsOnlyTheEmptyRectangle) {
  EXPECT_EQ(IRect(5, 5, 5, 5).Union(IRect(0, 0, 10, 10)), IRect(0, 0, 10, 10));
  EXPECT_EQ(IRect().Union(IRect(3, 4, 5, 6)), IRect(3, 4, 5, 6));
  EXPECT_EQ(IRect(3, 4, 5, 6).Union(IRect()), IRect(3, 4, 5, 6));
  // A degenerate but non-empty rectangle still widens the union.
  EXPECT_EQ(IRect(30, 30, 30, 30).Union(IRect(0, 0, 10, 10)), IRect(0, 0, 30, 30));
}

TEST(IRect, IntersectionNeedsOverlapOfBothNonEmpty) {
  IRect a(0, 0, 10, 10);
  EXPECT_TRUE(a.Intersects(IRect(9, 9, 20, 20)));
  EXPECT_FALSE(a.Intersects(IRect(10, 0, 20, 10)));  // touching edges do not overlap
  EXPECT_FALSE(a.Intersects(IRect()));
  EXPECT_EQ(a.Intersect(IRect(5, -5, 15, 5)), IRect(5, 0, 10, 5));
  EXPECT_TRUE(a.Intersect(IRect(10, 0, 20, 10)).Empty());
}
