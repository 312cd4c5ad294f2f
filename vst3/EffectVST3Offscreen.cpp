// IEffectVST3: the editor without a window, for tools that picture it.
#include <cstring>

#include "editor/EditorWin.h"
#include "raster/Bitmap.h"
#include "vst3/EffectVST3.h"

using namespace Steinberg;

namespace {

IMouseState MouseStateOf(int32 buttons) {
  IMouseState mod;
  mod.L = (buttons & IOffscreenEditor::kButtonLeft) != 0;
  mod.R = (buttons & IOffscreenEditor::kButtonRight) != 0;
  mod.S = (buttons & IOffscreenEditor::kShift) != 0;
  mod.C = (buttons & IOffscreenEditor::kCtrl) != 0;
  mod.A = (buttons & IOffscreenEditor::kAlt) != 0;
  return mod;
}

}  // namespace

tresult PLUGIN_API IEffectVST3::getEditorSize(int32* width, int32* height) {
  if (!width || !height) return kInvalidArgument;
  if (!editor) return kResultFalse;
  *width = editor->ScaledWidth();
  *height = editor->ScaledHeight();
  return kResultOk;
}

tresult PLUGIN_API IEffectVST3::pointer(int32 event, int32 x, int32 y, int32 buttons, int32 notches) {
  if (!editor) return kResultFalse;
  const IMouseState mod = MouseStateOf(buttons);
  const IEditor::IFacePoint at = editor->FacePoint(x, y);
  x = at.x;
  y = at.y;
  switch (event) {
    case kPointerDown:
      editor->HandleMouseDown(x, y, mod);
      return kResultOk;
    case kPointerDrag:
      editor->HandleMouseDrag(x, y, mod);
      return kResultOk;
    case kPointerUp:
      editor->HandleMouseUp(x, y, mod);
      return kResultOk;
    case kPointerWheel:
      editor->HandleMouseWheel(x, y, mod, notches);
      return kResultOk;
    default:
      return kInvalidArgument;
  }
}

tresult PLUGIN_API IEffectVST3::tick() {
  if (!editor) return kResultFalse;
  // The plug-in's editor is always a window-side editor, headless here.
  static_cast<IEditorWin*>(editor)->Tick();
  return kResultOk;
}

tresult PLUGIN_API IEffectVST3::drawInto(uint32* pixels, int32 width, int32 height, int32 stride) {
  if (!pixels || stride < width) return kInvalidArgument;
  if (!editor) return kResultFalse;
  if (width != editor->ScaledWidth() || height != editor->ScaledHeight()) return kInvalidArgument;
  editor->RedrawAll();
  static_cast<IEditorWin*>(editor)->Tick();
  PX_IBitmap* drawn = editor->DrawBitmap();
  if (!drawn || !drawn->pixels() || drawn->width() != width || drawn->height() != height) return kResultFalse;
  for (int32 y = 0; y < height; ++y) {
    const int32 row = drawn->isBottomUp() ? height - 1 - y : y;
    std::memcpy(pixels + static_cast<size_t>(y) * stride, drawn->pixels() + static_cast<size_t>(row) * drawn->rowStride(),
                sizeof(uint32) * width);
  }
  return kResultOk;
}

tresult PLUGIN_API IEffectVST3::setEditorScale(double factor) {
  if (!editor) return kResultFalse;
  if (!(factor == factor)) return kInvalidArgument;
  static_cast<IEditorWin*>(editor)->SetHostScale(IEditorScale(factor).Factor());
  return kResultOk;
}
