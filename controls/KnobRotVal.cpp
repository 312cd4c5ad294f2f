#include "controls/KnobRotVal.h"

#include <cmath>

#include "controls/KnobShared.h"
#include "editor/Editor.h"

namespace {
constexpr double kPi = 3.14159265358979323846;
}

IKnobRotVal::IKnobRotVal(IEffectBase* plug, int32_t paramIndex, int32_t centreX, int32_t centreY,
                         const IFrameStrip& image, const ITextStyle& text, int32_t textOffset,
                         int32_t rotationRange, double gearing, int32_t widthOverride, int32_t horizontal,
                         float hoverDim, bool appendLabel, int32_t positions)
    : IControl(plug, paramIndex,
               KnobRect(centreX, centreY, image, widthOverride, textOffset < 0 ? 0 : text.size + textOffset)),
      face{horizontal, gearing, text, image, centreX, centreY, textOffset},
      rotationRange(rotationRange),
      steps(static_cast<int16_t>(positions - 1)),
      hoverDim(hoverDim),
      appendLabel(appendLabel) {}

void IKnobRotVal::MouseUp(int32_t, int32_t, const IMouseState&) {
  if (steps > 0) value = std::floor(steps * value + 0.5) / steps;
  MarkDirty(true);
}

void IKnobRotVal::MouseDrag(int32_t, int32_t, int32_t dX, int32_t dY, const IMouseState& mod) {
  value = face.Dragged(value, rect, dX, dY, mod);
  MarkDirty(true);
}

void IKnobRotVal::MouseOver(int32_t, int32_t, const IMouseState&) { SetHover(&hover, true); }

void IKnobRotVal::MouseOut() { SetHover(&hover, false); }

float IKnobRotVal::Angle() const {
  float half = static_cast<float>(rotationRange * kPi / 360.0);
  float negHalf = static_cast<float>(-rotationRange * kPi / 360.0);
  return static_cast<float>(half * (2.0 * value)) + negHalf;
}

float IKnobRotVal::SourceOffset() const { return static_cast<float>(-(std::fabs(value - 0.5) * 2.0)); }

bool IKnobRotVal::Draw(IEditor* editor) {
  IRect box(rect.L, rect.B - face.text.size, rect.R, rect.B);
  if (face.textOffset < 0) box = box.Moved(0, face.textOffset);
  DrawValueText(editor, *this, &face.text, appendLabel, box);
  // Greyed knobs keep their reduced weight under the hover dimming.
  drawBlend = IBlend(kBlendAlpha, blend.weight * (hover ? 1.0f - hoverDim : 1.0f));
  float o = SourceOffset();
  return editor->DrawRotated(face.image, face.centreX, face.centreY, Angle(), &drawBlend, o, o);
}
