#include "editor/EditorScale.h"

#include <cmath>

IEditorScale::IEditorScale(double f) : factor(f >= kMin ? (f <= kMax ? f : kMax) : kMin) {}

int32_t IEditorScale::ToPixels(int32_t face) const {
  return static_cast<int32_t>(std::floor(face * factor + 0.5));
}

IRect IEditorScale::ToPixels(const IRect& r) const {
  if (IsOne()) return r;
  return IRect(ToPixels(r.L), ToPixels(r.T), ToPixels(r.R), ToPixels(r.B));
}

int32_t IEditorScale::ToFace(int32_t pixel) const {
  // The face pixel f spans window pixels from ToPixels(f) up to ToPixels(f + 1).
  int32_t f = static_cast<int32_t>(std::floor((pixel + 0.5) / factor));
  if (ToPixels(f) > pixel) --f;
  if (ToPixels(f + 1) <= pixel) ++f;
  return f;
}

IRect IEditorScale::ToFace(const IRect& r) const {
  if (IsOne()) return r;
  int32_t right = ToFace(r.R - 1) + 1, bottom = ToFace(r.B - 1) + 1;
  return IRect(ToFace(r.L), ToFace(r.T), right, bottom);
}
