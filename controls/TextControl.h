// ITextControl: shows a fixed text in its rectangle.
#pragma once

#include <string>

#include "controls/Control.h"
#include "editor/TextStyle.h"

class ITextControl : public IControl {
 public:
  ITextControl(IEffectBase* plug, const IRect& rect, const ITextStyle& style, const char* text);

  bool Draw(IEditor* editor) override;
  // Replaces the text; an equal text changes nothing (no redraw).
  virtual void SetText(const char* t);
  const char* Text() const { return text.c_str(); }

 private:
  ITextStyle style;
  std::string text;
};
