#include "controls/Button.h"

#include "editor/Editor.h"

IButton::IButton(IEffectBase* plug, int32_t paramIndex, int32_t x, int32_t y, const IFrameStrip& image,
                 float hoverDim)
    : IControl(plug, paramIndex, IRect(x, y, x + image.W, y + image.H / (image.N < 1 ? 1 : image.N))),
      image(image),
      hoverDim(hoverDim) {}

void IButton::MouseDown(int32_t, int32_t, const IMouseState& mod) {
  if (!mod.R) value = value <= 0.5 ? 1.0 : 0.0;
  MarkDirty(true);
}

void IButton::MouseOver(int32_t, int32_t, const IMouseState&) { SetHover(&hover, true); }

void IButton::MouseOut() { SetHover(&hover, false); }

float IButton::ImageOpacity() const {
  float o;
  if (value <= 0.5)
    o = hover ? hoverDim : 0.0f;
  else
    o = hover ? 1.0f - hoverDim : 1.0f;
  return o * blend.weight;
}

bool IButton::Draw(IEditor* editor) {
  float opacity = ImageOpacity();
  if (opacity <= 0.0f) return true;
  IBlend b(kBlendAlpha, opacity);
  return editor->DrawFrame(image, rect, 1, &b, true);
}
