// IImageControl: draws the frame of its strip that its value picks; the
// editor's background is one.
#pragma once

#include "controls/Control.h"
#include "editor/FrameStrip.h"

class IImageControl : public IControl {
 public:
  IImageControl(IEffectBase* plug, int32_t paramIndex, const IRect& rect, const IFrameStrip& image,
                bool verticalFrames);

  bool Draw(IEditor* editor) override;

 private:
  bool verticalFrames;
  IFrameStrip image;
};
