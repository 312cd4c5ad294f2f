#include "editor/Rect.h"

#include <algorithm>

bool IRect::Intersects(const IRect& o) const {
  if (Empty() || o.Empty()) return false;
  return L < o.R && o.L < R && T < o.B && o.T < B;
}

IRect IRect::Union(const IRect& o) const {
  if (Empty()) return o;
  if (o.Empty()) return *this;
  return IRect(std::min(L, o.L), std::min(T, o.T), std::max(R, o.R), std::max(B, o.B));
}

IRect IRect::Intersect(const IRect& o) const {
  if (!Intersects(o)) return IRect();
  return IRect(std::max(L, o.L), std::max(T, o.T), std::min(R, o.R), std::min(B, o.B));
}
