#include "controls/KnobShared.h"

#include <cmath>
#include <cstring>

#include "controls/Control.h"
#include "editor/Editor.h"
#include "editor/TextStyle.h"
#include "framework/ParamEntry.h"

IRect KnobRect(int32_t centreX, int32_t centreY, const IFrameStrip& image, int32_t widthOverride,
               int32_t textBand) {
  int32_t frames = image.N < 1 ? 1 : image.N;
  int32_t halfW = widthOverride != 0 ? widthOverride / 2
                                     : static_cast<int32_t>(std::round(static_cast<double>(image.W) / frames * 0.5));
  int32_t halfH = static_cast<int32_t>(std::round(image.H * 0.5));
  return IRect(centreX - halfW, centreY - halfH, centreX + halfW, centreY + halfH + textBand);
}

double KnobFace::Dragged(double value, const IRect& rect, int32_t dX, int32_t dY, const IMouseState& mod) const {
  double g = gearing;
  if (mod.C || mod.S) g *= 10.0;
  double d = horizontal ? dX : dY;
  double extent = horizontal ? rect.R - rect.L : rect.T - rect.B;
  if (extent == 0 || g == 0) return value;
  return value + d / extent / g;
}

void DrawValueText(IEditor* editor, const IControl& control, ITextStyle* style, bool appendLabel,
                   const IRect& box) {
  const IParamEntry* param = control.Param();
  if (!param || !style || style->size <= 0) return;
  char text[IParamEntry::kFormatBufferSize + IParamEntry::kTextSize];
  // The control's own value, not the parameter's: host automation writes
  // that on the audio thread while this draws.
  param->FormatValue(param->StoredPlain(control.Value()), false, text);
  if (!text[0]) return;
  style->align = kAlignCentre;
  if (appendLabel) {
    size_t used = std::strlen(text);
    CopyText(text + used, param->Label(), static_cast<int>(sizeof text - used));
  }
  editor->DrawText(style, text, box);
}
