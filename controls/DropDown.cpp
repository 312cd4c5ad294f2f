#include "controls/DropDown.h"

#include <cmath>

#include "controls/DropDownChild.h"
#include "editor/Editor.h"
#include "framework/EffectBase.h"

namespace {
int32_t FrameHeight(const IFrameStrip& s) {
  return static_cast<int32_t>(std::round(static_cast<double>(s.H) / (s.N < 1 ? 1 : s.N)));
}
}  // namespace

IDropDown::IDropDown(IEffectBase* plug, int32_t paramIndex, int32_t x, int32_t y, const IFrameStrip& image,
                     const IFrameStrip& gridImage, int32_t columns, int32_t placement)
    : IControl(plug, paramIndex, IRect(x, y - 1, x + image.W, y + FrameHeight(image) + 1)),
      image(image),
      gridImage(gridImage),
      columns(columns < 1 ? 1 : columns),
      placement(placement) {}

void IDropDown::HideGrid() {
  if (child) child->Hide(true);
  shown = false;
}

IRect IDropDown::GridPlace() const {
  int32_t gw = gridImage.W, gh = gridImage.H;
  switch (placement) {
    case 0: return IRect(rect.L, rect.B - 1, 0, 0);
    case 1: return IRect(rect.R - gw, rect.B - 1, 0, 0);
    case 2: return IRect(rect.L, rect.T - gh + 1, 0, 0);
    case 3: return IRect(rect.R - gw, rect.T - gh + 1, 0, 0);
    default:
      return IRect(rect.L + static_cast<int32_t>(std::round((image.W - gw) * 0.5)), rect.B - 1, 0, 0);
  }
}

void IDropDown::MouseDown(int32_t, int32_t, const IMouseState& mod) {
  if (mod.R || shown) {
    HideGrid();
  } else {
    shown = true;
    if (created) {
      child->Hide(false);
    } else if (IEditor* editor = Editor()) {
      IRect at = GridPlace();
      child = new IDropDownChild(plug, at.L, at.T, gridImage, &value, columns);
      editor->AddControl(child);
      created = true;
    }
  }
  MarkDirty(true);
}

void IDropDown::ApplyPlugValue(double v) {
  IControl::ApplyPlugValue(v);
  // A value from the plug-in is no pick: it must not be sent back.
  lastValue = value;
}

bool IDropDown::Draw(IEditor* editor) {
  if (created && value != lastValue) {
    // A choice was just made in the grid: it reaches the host as one gesture.
    redraw = true;
    if (IsBound() && plug) plug->BeginParamEdit(paramIndex);
    MarkDirty(true);
    if (IsBound() && plug) plug->EndParamEdit(paramIndex);
    HideGrid();
  }
  lastValue = value;
  IRect dest(rect.L, rect.T + 1, rect.L + image.W, rect.T + 1 + FrameHeight(image));
  return editor->DrawFrame(image, dest, FrameForValue(image.N, value), &blend, true);
}
