// IEditorScale: how many window pixels one face pixel covers.
//
// Controls, their rectangles and the layout stay in face pixels (the
// 550 x 365 design); the drawing bitmap, the window and the pointer are in
// window pixels, face pixels times the factor. Edges round to the nearest
// pixel, so rectangles that share an edge at 1 still share it at any factor.
#pragma once

#include <cstdint>

#include "editor/Rect.h"

class IEditorScale {
 public:
  static constexpr double kMin = 1.0;
  static constexpr double kMax = 4.0;

  IEditorScale() = default;
  // Factors outside 1 ... 4 become the nearer end; NaN becomes 1.
  explicit IEditorScale(double factor);

  double Factor() const { return factor; }
  bool IsOne() const { return factor == 1.0; }
  bool operator==(const IEditorScale& o) const { return factor == o.factor; }
  bool operator!=(const IEditorScale& o) const { return factor != o.factor; }

  // A face coordinate or length in window pixels (rounded; halves up).
  int32_t ToPixels(int32_t face) const;
  float ToPixels(float face) const { return static_cast<float>(face * factor); }
  IRect ToPixels(const IRect& face) const;
  // A window pixel's face pixel: the one whose area holds it.
  int32_t ToFace(int32_t pixel) const;
  // The face area that covers a window area (grown to whole face pixels).
  IRect ToFace(const IRect& pixels) const;

 private:
  double factor = 1.0;
};
