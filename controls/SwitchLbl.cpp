#include "controls/SwitchLbl.h"

#include <cmath>

#include "controls/KnobShared.h"
#include "editor/Editor.h"

namespace {

int32_t Round(double v) { return static_cast<int32_t>(std::round(v)); }

IRect SwitchRect(int32_t x, int32_t y, const IFrameStrip& image, const ITextStyle& text, int32_t textOffset,
                 int32_t widthOverride, bool framesHorizontal) {
  int32_t frames = image.N < 1 ? 1 : image.N;
  int32_t fh = framesHorizontal ? image.H : Round(static_cast<double>(image.H) / frames);
  int32_t r;
  if (widthOverride != 0)
    r = x + widthOverride;
  else if (!framesHorizontal)
    r = x + image.W;
  else
    r = x + Round(static_cast<double>(image.W) / frames);
  int32_t textSize = text.size < 0 ? 0 : text.size;
  return IRect(x, y, r, y + fh + textOffset + textSize);
}

}  // namespace

ISwitchLbl::ISwitchLbl(IEffectBase* plug, int32_t paramIndex, int32_t x, int32_t y, const IFrameStrip& image,
                       const ITextStyle& text, int32_t textOffset, int32_t widthOverride,
                       int32_t framesHorizontal, float hoverDim)
    : IControl(plug, paramIndex,
               SwitchRect(x, y, image, text, textOffset, widthOverride, framesHorizontal != 0)),
      text(text),
      image(image),
      textOffset(textOffset),
      widthOverride(widthOverride),
      verticalFrames(framesHorizontal == 0),
      hoverDim(hoverDim) {}

void ISwitchLbl::MouseDown(int32_t x, int32_t y, const IMouseState& mod) {
  if (mod.R)
    IControl::MouseDown(x, y, mod);
  else
    value += image.N < 2 ? 1.0 : 1.0 / (image.N - 1);
  if (value > 1.001) value = 0.0;
  MarkDirty(true);
}

void ISwitchLbl::MouseOver(int32_t, int32_t, const IMouseState&) { SetHover(&hover, true); }

void ISwitchLbl::MouseOut() { SetHover(&hover, false); }

int32_t ISwitchLbl::Frame() const { return FrameForValue(image.N, value); }

IRect ISwitchLbl::FrameRect() const {
  int32_t frames = image.N < 1 ? 1 : image.N;
  int32_t fw = verticalFrames ? image.W : Round(static_cast<double>(image.W) / frames);
  int32_t fh = verticalFrames ? Round(static_cast<double>(image.H) / frames) : image.H;
  int32_t l = widthOverride != 0 ? rect.L + Round((widthOverride - fw) * 0.5) : rect.L;
  return IRect(l, rect.T, l + fw, rect.T + fh);
}

bool ISwitchLbl::Draw(IEditor* editor) {
  DrawValueText(editor, *this, &text, true, IRect(rect.L, rect.B - text.size, rect.R, rect.B));
  IBlend hovered(kBlendAlpha, blend.weight * (1.0f - hoverDim));
  return editor->DrawFrame(image, FrameRect(), Frame(), hover ? &hovered : &blend, verticalFrames);
}
