// PromptPopup: the value popup a right-click opens for listed values.
//
// A rounded panel of the parameter's value texts in columns, the current one
// highlighted, a hover highlight, and a scroll bar when the list is longer
// than the visible rows. Picking an item edits the opener's parameter; any
// click outside closes the popup through the editor.
#pragma once

#include <string>
#include <vector>

#include "controls/Control.h"
#include "editor/Argb.h"
#include "editor/TextStyle.h"

class PromptPopup : public IControl {
 public:
  static constexpr int32_t kItemTextSize = 32;

  // At (x, y); style null means the editor's popup style.
  PromptPopup(IEffectBase* plug, int32_t x, int32_t y, int32_t itemWidth, int32_t columnCount,
              const ITextStyle& style, const IArgb& back, const IArgb& frame);

  void AddItem(const char* text);
  // Selects the parameter's current value, scrolls to show it, sets the
  // owner and shows the popup.
  void SetUp(const IParamEntry* param, IControl* opener);

  void MouseDown(int32_t x, int32_t y, const IMouseState& mod) override;
  void MouseUp(int32_t x, int32_t y, const IMouseState& mod) override;
  void MouseDrag(int32_t x, int32_t y, int32_t dX, int32_t dY, const IMouseState& mod) override;
  void MouseWheel(int32_t x, int32_t y, const IMouseState& mod, int32_t notches) override;
  void MouseOver(int32_t x, int32_t y, const IMouseState& mod) override;
  void MouseOut() override;
  bool Draw(IEditor* editor) override;

  int32_t Count() const { return count; }
  const char* Item(int32_t i) const { return items[i].c_str(); }
  int32_t ItemWidth() const { return itemWidth; }
  int32_t RowHeight() const { return rowHeight; }
  int32_t VisibleRows() const { return visibleRows; }
  int32_t Capacity() const { return capacity; }
  int32_t ThumbHeight() const { return thumbHeight; }
  int32_t ThumbPos() const { return thumbPos; }
  int32_t FirstVisible() const { return firstVisible; }
  int32_t Selected() const { return selected; }
  int32_t Hovered() const { return hovered; }
  bool HasScrollBar() const { return thumbHeight > 0; }

 private:
  int32_t Rows() const;
  int32_t ThumbTravel() const;
  void SetThumbPos(int32_t pos);
  bool OverScrollBar(int32_t x) const;
  void TrackHover(int32_t x, int32_t y);
  void Pick(int32_t item);
  IRect CellRect(int32_t cell) const;

  int32_t itemWidth;
  int32_t margin = 4;
  int32_t hovered = -2;
  int32_t capacity = 0;
  int32_t firstVisible = 0;
  int32_t thumbPos = 0;
  int32_t thumbHeight = 0;
  int32_t scrollWidth = 9;
  std::vector<std::string> items;
  ITextStyle normalText;
  ITextStyle selectedText;
  IArgb back;
  IArgb frame;
  int32_t selected = -1;
  int32_t rowHeight;
  int32_t count = 0;
  int32_t visibleRows = 5;
  int32_t columnCount;
  bool growRows = true;
  bool dragging = false;
  int32_t height = 0;
};
