#include "controls/LinkControl.h"

#include "editor/Editor.h"
#include "framework/ParamEntry.h"

ILinkControl::ILinkControl(IEffectBase* plug, const IRect& rect, const char* url, const char* fallbackUrl,
                           const char* title)
    : IControl(plug, -1, rect) {
  if (url && url[0]) CopyText(this->url, url, sizeof this->url);
  if (fallbackUrl && fallbackUrl[0]) CopyText(this->fallbackUrl, fallbackUrl, sizeof this->fallbackUrl);
  if (title && title[0]) CopyText(this->title, title, sizeof this->title);
}

void ILinkControl::MouseDown(int32_t, int32_t, const IMouseState&) {
  IEditor* editor = Editor();
  if (!editor) return;
  if (url[0] && editor->OpenUrl(url, title, nullptr, nullptr)) return;
  if (fallbackUrl[0]) editor->OpenUrl(fallbackUrl, title, nullptr, nullptr);
}
