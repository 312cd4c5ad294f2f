// IEntryText: the text of a one-line value entry being typed, its caret and
// whether the whole text is selected (as it is when the entry opens).
//
// Typing over a selection replaces it; a caret movement drops it.
#pragma once

#include <cstddef>
#include <string>

#include "editor/KeyPress.h"

class IEntryText {
 public:
  // At most this many characters, as many as a commit reads.
  static constexpr size_t kMaxLength = 1000;

  // Starts over with text, all of it selected, the caret at its end.
  void Reset(const char* text);
  // Applies an editing key; answers whether it is one (Enter, Escape and
  // the rest are left to the caller).
  bool Apply(const IKeyPress& press);

  const std::string& Text() const { return text; }
  size_t Caret() const { return caret; }
  bool AllSelected() const { return allSelected; }

 private:
  void DropSelection();

  std::string text;
  size_t caret = 0;
  bool allSelected = false;
};
