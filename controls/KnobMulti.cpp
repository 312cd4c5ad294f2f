#include "controls/KnobMulti.h"

#include <cmath>

#include "controls/KnobShared.h"
#include "editor/Editor.h"

IKnobMulti::IKnobMulti(IEffectBase* plug, int32_t paramIndex, int32_t centreX, int32_t centreY,
                       const IFrameStrip& image, const ITextStyle& text, int32_t textOffset,
                       int32_t rotationRange, double gearing, int32_t widthOverride, int32_t horizontal)
    : IControl(plug, paramIndex, KnobRect(centreX, centreY, image, widthOverride, text.size + textOffset)),
      face{horizontal, gearing, text, image, centreX, centreY, textOffset},
      rotationRange(rotationRange) {}

void IKnobMulti::MouseDrag(int32_t, int32_t, int32_t dX, int32_t dY, const IMouseState& mod) {
  value = face.Dragged(value, rect, dX, dY, mod);
  MarkDirty(true);
}

IRect IKnobMulti::FrameRect() const {
  int32_t frames = face.image.N < 1 ? 1 : face.image.N;
  double half = static_cast<double>(face.image.W) / frames * 0.5;
  return IRect(static_cast<int32_t>(std::round(face.centreX - half)), rect.T,
               static_cast<int32_t>(std::round(face.centreX + half)), rect.B - face.textOffset - face.text.size);
}

bool IKnobMulti::Draw(IEditor* editor) {
  DrawValueText(editor, *this, &face.text, true, IRect(rect.L, rect.B - face.text.size, rect.R, rect.B));
  return editor->DrawFrame(face.image, FrameRect(), FrameForValue(face.image.N, value), &blend, false);
}
