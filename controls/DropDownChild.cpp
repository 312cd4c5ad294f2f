#include "controls/DropDownChild.h"

#include <cmath>

#include "editor/Editor.h"

IDropDownChild::IDropDownChild(IEffectBase* plug, int32_t x, int32_t y, const IFrameStrip& gridImage,
                               double* ownerValue, int32_t columns)
    : IControl(plug, -1, IRect(x, y, x + gridImage.W, y + gridImage.H)),
      gridImage(gridImage),
      ownerValue(ownerValue),
      columns(columns < 1 ? 1 : columns) {}

void IDropDownChild::MouseDown(int32_t x, int32_t y, const IMouseState& mod) {
  int32_t n = gridImage.N;
  if (!mod.R && n > 0 && gridImage.W > 0 && ownerValue) {
    int32_t c = static_cast<int32_t>(std::floor(static_cast<double>(x - rect.L) * columns / gridImage.W));
    if (c > columns - 1) c = columns - 1;
    if (c < 0) c = 0;
    int32_t rows = (n + columns - 1) / columns;
    for (int32_t i = 0; i < n; ++i) {
      if (y - rect.T < static_cast<double>(i + 1) * gridImage.H / rows) {
        int32_t choice = c * rows + i;
        double v = n > 1 ? static_cast<double>(choice) / (n - 1) : 0.0;
        *ownerValue = v > 1.0 ? 0.0 : v;
        Hide(true);
        break;
      }
    }
  }
  MarkDirty(true);
}

bool IDropDownChild::Draw(IEditor* editor) { return editor->DrawImageAt(gridImage, rect, 0, 0, &blend); }
