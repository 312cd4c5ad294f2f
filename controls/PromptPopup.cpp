#include "controls/PromptPopup.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "editor/Editor.h"
#include "framework/EffectBase.h"

namespace {

int32_t Round(double v) { return static_cast<int32_t>(std::round(v)); }

IArgb WithAlpha(IArgb c, int32_t delta) {
  c.A = std::max(0, std::min(255, c.A + delta));
  return c;
}

}  // namespace

PromptPopup::PromptPopup(IEffectBase* plug, int32_t x, int32_t y, int32_t itemWidth, int32_t columnCount,
                         const ITextStyle& style, const IArgb& back, const IArgb& frame)
    : IControl(plug, -1, IRect(x, y, x, y)),
      itemWidth(itemWidth),
      normalText(style),
      selectedText(style),
      back(back),
      frame(frame),
      rowHeight(style.size + 6),
      columnCount(columnCount < 1 ? 1 : columnCount) {
  selectedText.colour = WithAlpha(selectedText.colour, 55);
  capacity = this->columnCount * visibleRows;
}

int32_t PromptPopup::Rows() const { return (count + columnCount - 1) / columnCount; }

void PromptPopup::AddItem(const char* text) {
  char copy[kItemTextSize] = {};
  if (text) std::strncpy(copy, text, kItemTextSize - 1);
  items.emplace_back(copy);
  ++count;
  int32_t length = static_cast<int32_t>(std::strlen(copy));
  itemWidth = std::max(itemWidth, length * std::max(5, normalText.size - 8) + 2 * margin + 20);
  if (growRows && count % 10 == 0 && count <= 40) ++visibleRows;
  capacity = columnCount * visibleRows;
  int32_t w = itemWidth * columnCount + margin;
  if (count > capacity) {
    if (count > 4 * visibleRows)
      thumbHeight = static_cast<int32_t>(1.5 * rowHeight);
    else
      thumbHeight = static_cast<int32_t>((1.5 * rowHeight - visibleRows * rowHeight) * (count - visibleRows) /
                                             (3.0 * visibleRows) +
                                         visibleRows * rowHeight);
    height = visibleRows * rowHeight;
    w += scrollWidth + 2;
  } else {
    thumbHeight = 0;
    height = Rows() * rowHeight;
  }
  SetRects(IRect(rect.L, rect.T, rect.L + w, rect.T + height));
  SetThumbPos(thumbPos);
}

int32_t PromptPopup::ThumbTravel() const { return std::max(0, height - thumbHeight - 2); }

void PromptPopup::SetThumbPos(int32_t pos) {
  thumbPos = std::max(0, std::min(pos, ThumbTravel()));
  int32_t hiddenRows = Rows() - visibleRows;
  if (!HasScrollBar() || hiddenRows <= 0 || ThumbTravel() == 0)
    firstVisible = 0;
  else
    firstVisible = columnCount * Round(static_cast<double>(hiddenRows) * thumbPos / ThumbTravel());
}

void PromptPopup::SetUp(const IParamEntry* param, IControl* opener) {
  // The opener's value rather than the parameter's, which the audio thread
  // writes while the editor runs.
  if (param) selected = Round(opener ? param->StoredPlain(opener->Value()) : param->value);
  else selected = -1;
  int32_t hiddenRows = Rows() - visibleRows;
  if (HasScrollBar() && hiddenRows > 0 && selected >= 0) {
    int32_t r = selected / columnCount;
    int32_t o = std::max(0, std::min(r + 1 - Round(visibleRows / 2.0), hiddenRows));
    SetThumbPos(Round(static_cast<double>(ThumbTravel()) * o / hiddenRows));
  }
  SetOwner(opener);
  Hide(false);
}

bool PromptPopup::OverScrollBar(int32_t x) const { return HasScrollBar() && x >= rect.R - scrollWidth - 3; }

void PromptPopup::TrackHover(int32_t x, int32_t y) {
  int32_t h;
  if (OverScrollBar(x)) {
    h = -1;
  } else {
    int32_t row = static_cast<int32_t>(std::floor(static_cast<double>(y - rect.T) / rowHeight));
    int32_t column = static_cast<int32_t>(
        std::floor(static_cast<double>(x - rect.L - Round(margin / 2.0)) / itemWidth));
    column = std::max(0, std::min(column, columnCount - 1));
    h = std::min(row * columnCount, capacity) + column;
    // Only cells that show an item count: not past the list, not below the
    // last visible row.
    if (row < 0 || h >= capacity || firstVisible + h >= count) h = -1;
  }
  if (h != hovered) {
    hovered = h;
    MarkDirty(false);
  }
}

void PromptPopup::MouseOver(int32_t x, int32_t y, const IMouseState&) { TrackHover(x, y); }

void PromptPopup::MouseOut() {
  hovered = -2;
  MarkDirty(false);
}

void PromptPopup::MouseDown(int32_t x, int32_t y, const IMouseState& mod) {
  if (OverScrollBar(x)) {
    if (mod.R) return;
    dragging = true;
    int32_t top = rect.T + thumbPos + 1;
    if (y < top || y >= top + thumbHeight) SetThumbPos(y - rect.T - 1 - thumbHeight / 2);
    MarkDirty(false);
    return;
  }
  if (mod.R) return;
  TrackHover(x, y);  // the click itself says which cell, pointer tracking or not
  if (hovered < 0) return;
  Pick(firstVisible + hovered);  // closes and deletes this popup
}

void PromptPopup::Pick(int32_t item) {
  selected = item;
  IControl* target = owner && owner->Owner() ? owner->Owner() : owner;
  IEditor* editor = Editor();
  std::string text = items[item];
  if (target) {
    IParamEntry* param = target->Param();
    if (param && plug) {
      int32_t index = target->ParamIndex();
      plug->BeginParamEdit(index);
      target->ApplyUserValue(param->PlainToNormalized(item));
      plug->EndParamEdit(index);
    }
    target->PopupChoice(text.c_str(), item);
  }
  if (editor) {
    editor->ForgetPointer();
    editor->ClosePopup(true);
  }
}

void PromptPopup::MouseUp(int32_t, int32_t, const IMouseState&) { dragging = false; }

void PromptPopup::MouseDrag(int32_t, int32_t, int32_t, int32_t dY, const IMouseState&) {
  if (!dragging) return;
  SetThumbPos(thumbPos + dY);
  MarkDirty(false);
}

void PromptPopup::MouseWheel(int32_t, int32_t, const IMouseState&, int32_t notches) {
  SetThumbPos(thumbPos - 3 * notches);
  MarkDirty(false);
}

IRect PromptPopup::CellRect(int32_t cell) const {
  int32_t row = cell / columnCount, column = cell % columnCount;
  return IRect(rect.L + itemWidth * column + margin, rect.T + rowHeight * row + 1, rect.L + itemWidth * (column + 1),
               rect.T + rowHeight * (row + 1) - 1);
}

bool PromptPopup::Draw(IEditor* editor) {
  editor->FillRoundRect(back, rect, 4, nullptr, true);
  IArgb line = frame;
  line.A = static_cast<int32_t>(frame.A * 0.6);
  for (int32_t k = 1; k < columnCount; ++k) {
    float x = static_cast<float>(rect.L + k * itemWidth + (margin * 0.5 - 0.5));
    editor->DrawLine(line, x, static_cast<float>(rect.T + margin), x, static_cast<float>(rect.B - margin), nullptr,
                     false);
  }
  int32_t selectedCell = selected - firstVisible;
  if (selected >= 0 && selectedCell >= 0 && selectedCell < capacity) {
    editor->FrameRoundRect(frame, CellRect(selectedCell), 4, nullptr, true);
    editor->FillRoundRect(frame, CellRect(selectedCell), 4, nullptr, true);
  }
  if (hovered >= 0 && hovered != selectedCell) editor->FillRoundRect(frame, CellRect(hovered), 4, nullptr, true);
  for (int32_t cell = 0; cell < capacity && firstVisible + cell < count; ++cell) {
    int32_t item = firstVisible + cell;
    int32_t row = cell / columnCount, column = cell % columnCount;
    IRect box(rect.L + column * itemWidth + 2 * margin, rect.T + row * rowHeight + Round(0.75 * margin),
              rect.L + (column + 1) * itemWidth, rect.T + (row + 1) * rowHeight);
    editor->DrawText(item == selected ? &selectedText : &normalText, items[item].c_str(), box);
  }
  if (HasScrollBar()) {
    editor->FrameRoundRect(WithAlpha(frame, -20), IRect(rect.R - scrollWidth - 3, rect.T, rect.R, rect.B), 3,
                           nullptr, true);
    IArgb thumb = hovered == -1 && !dragging ? WithAlpha(frame, 20) : frame;
    int32_t top = rect.T + thumbPos + 1;
    editor->FillRoundRect(thumb, IRect(rect.R - scrollWidth - 2, top, rect.R - 1, top + thumbHeight), 3, nullptr,
                          true);
  }
  return true;
}
