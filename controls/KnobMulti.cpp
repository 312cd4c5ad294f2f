#include "controls/KnobMulti.h"

#include <cmath>

#include "controls/KnobShared.h"
#include "editor/Editor.h"

IKnobMulti::IKnobMulti(IEffectBase* plug, int32_t paramIndex, int32_t centreX, int32_t centreY,
                       const IFrameStrip& image, const ITextStyle& text, int32_t textOffset,
                       int32_t rotationRange, double gearing, int32_t widthOverride, int32_t horizontal)
    : IControl(plug, paramIndex, KnobRect(centreX, centreY, image, widthOverride, text.size + textOffset)),
      horizontal(horizontal),
      gearing(gearing),
      text(text),
      image(image),
      centreX(centreX),
      centreY(centreY),
      textOffset(textOffset),
      rotationRange(rotationRange) {}

void IKnobMulti::MouseDrag(int32_t, int32_t, int32_t dX, int32_t dY, const IMouseState& mod) {
  value = KnobDragValue(value, rect, horizontal != 0, gearing, dX, dY, mod);
  MarkDirty(true);
}

IRect IKnobMulti::FrameRect() const {
  int32_t frames = image.N < 1 ? 1 : image.N;
  double half = static_cast<double>(image.W) / frames * 0.5;
  return IRect(static_cast<int32_t>(std::round(centreX - half)), rect.T,
               static_cast<int32_t>(std::round(centreX + half)), rect.B - textOffset - text.size);
}

bool IKnobMulti::Draw(IEditor* editor) {
  DrawValueText(editor, *this, &text, true, IRect(rect.L, rect.B - text.size, rect.R, rect.B));
  return editor->DrawFrame(image, FrameRect(), FrameForValue(image.N, value), &blend, false);
}
