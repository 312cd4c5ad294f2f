#include "controls/ImageControl.h"

#include "controls/Background.h"
#include "editor/Editor.h"

IImageControl::IImageControl(IEffectBase* plug, int32_t paramIndex, const IRect& rect, const IFrameStrip& image,
                             bool verticalFrames)
    : IControl(plug, paramIndex, rect), verticalFrames(verticalFrames), image(image) {}

bool IImageControl::Draw(IEditor* editor) {
  return editor->DrawFrame(image, rect, FrameForValue(image.N, value), &blend, verticalFrames);
}

int32_t IEditor::AddBackground(int32_t resourceId, const char* name) {
  IFrameStrip strip = LoadFrameStrip(resourceId, name, 1);
  return InsertBackground(new IBackground(plug, strip));
}
