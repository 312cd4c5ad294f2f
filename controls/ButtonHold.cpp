#include "controls/ButtonHold.h"

#include "editor/Editor.h"

IButtonHold::IButtonHold(IEffectBase* plug, int32_t paramIndex, int32_t x, int32_t y, const IFrameStrip& image)
    : IControl(plug, paramIndex, IRect(x, y, x + image.W, y + image.H / (image.N < 1 ? 1 : image.N))),
      image(image) {}

void IButtonHold::MouseDown(int32_t, int32_t, const IMouseState& mod) {
  if (!mod.R) value = 1.0;
  MarkDirty(true);
}

void IButtonHold::MouseUp(int32_t, int32_t, const IMouseState&) {
  value = 0.0;
  MarkDirty(true);
}

bool IButtonHold::Draw(IEditor* editor) {
  if (value <= 0.5) return true;
  IBlend b(kBlendAlpha, blend.weight);
  return editor->DrawFrame(image, rect, 1, &b, true);
}
