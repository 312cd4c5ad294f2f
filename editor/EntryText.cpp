#include "editor/EntryText.h"

void IEntryText::Reset(const char* initial) {
  text = initial ? initial : "";
  if (text.size() > kMaxLength) text.resize(kMaxLength);
  caret = text.size();
  allSelected = !text.empty();
}

void IEntryText::DropSelection() {
  if (!allSelected) return;
  text.clear();
  caret = 0;
  allSelected = false;
}

bool IEntryText::Apply(const IKeyPress& press) {
  switch (press.key) {
    case IKey::kText:
      if (static_cast<unsigned char>(press.text) < 0x20 || press.text == 0x7F) return false;
      DropSelection();
      if (text.size() >= kMaxLength) return true;
      text.insert(caret++, 1, press.text);
      return true;
    case IKey::kBackspace:
      if (allSelected) {
        DropSelection();
      } else if (caret > 0) {
        text.erase(--caret, 1);
      }
      return true;
    case IKey::kDelete:
      if (allSelected) {
        DropSelection();
      } else if (caret < text.size()) {
        text.erase(caret, 1);
      }
      return true;
    // A caret movement out of a selection lands at the end it moves towards.
    case IKey::kLeft:
      caret = allSelected ? 0 : (caret > 0 ? caret - 1 : 0);
      allSelected = false;
      return true;
    case IKey::kRight:
      caret = allSelected ? text.size() : (caret < text.size() ? caret + 1 : caret);
      allSelected = false;
      return true;
    case IKey::kHome:
      caret = 0;
      allSelected = false;
      return true;
    case IKey::kEnd:
      caret = text.size();
      allSelected = false;
      return true;
    default:
      return false;
  }
}
