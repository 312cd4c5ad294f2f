#include "controls/Background.h"

#include <algorithm>
#include <string>

#include "controls/PromptPopup.h"
#include "editor/Editor.h"
#include "editor/ZoomSettings.h"

namespace {
// Two columns keep all seven choices in view without a scroll bar.
constexpr int32_t kMenuColumns = 2;
constexpr int32_t kMenuItemWidth = 60;
constexpr int32_t kMenuInset = 6;  // from the face's edges
}  // namespace

IBackground::IBackground(IEffectBase* plug, const IFrameStrip& image)
    : IImageControl(plug, -1, IRect(0, 0, image.W, image.H), image, true) {
  SetBlend(IBlend(kBlendCopy, 1.0f));
}

void IBackground::MouseDown(int32_t x, int32_t y, const IMouseState& mod) {
  IEditor* editor = Editor();
  // A click that only closed an open popup opens nothing.
  if (!mod.R || !editor || editor->PopupWasOpenAtClick()) return;
  OpenZoomMenu(editor, x, y);
}

void IBackground::OpenZoomMenu(IEditor* editor, int32_t x, int32_t y) {
  auto* menu = new PromptPopup(plug, x, y, kMenuItemWidth, kMenuColumns, editor->popupText, editor->popupBack,
                               editor->popupFrame);
  menu->Hide(true);
  editor->AddControl(menu);
  editor->SetPopup(menu);
  for (int32_t percent : ZoomSettings::kChoices) menu->AddItem((std::to_string(percent) + " %").c_str());
  // At the pointer, moved in where it would reach past the face.
  const IRect& r = menu->Rect();
  const int32_t dx = std::min(0, editor->Width() - kMenuInset - r.R);
  const int32_t dy = std::min(0, editor->Height() - kMenuInset - r.B);
  menu->MoveBy(dx, dy);
  menu->SetUp(nullptr, this);
}

void IBackground::PopupChoice(const char*, int32_t index) {
  if (index < 0 || index >= ZoomSettings::kChoiceCount) return;
  if (IEditor* editor = Editor()) editor->ChooseZoom(ZoomSettings::kChoices[index]);
}
