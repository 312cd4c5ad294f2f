// The value entry's line editing, and which keys the controls are given.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/EntryText.h"
#include "editor/KeyPress.h"

namespace {

IKeyPress K(IKey key) {
  IKeyPress p;
  p.key = key;
  return p;
}

IKeyPress T(char c) {
  IKeyPress p;
  p.key = IKey::kText;
  p.text = c;
  return p;
}

// Keys given as text: letters and digits are typed, < > [ ] ^ $ # are Left,
// Right, Home, End, Backspace and Delete.
std::vector<IKeyPress> Keys(const std::string& script) {
  std::vector<IKeyPress> keys;
  for (char c : script) {
    switch (c) {
      case '<': keys.push_back(K(IKey::kLeft)); break;
      case '>': keys.push_back(K(IKey::kRight)); break;
      case '[': keys.push_back(K(IKey::kHome)); break;
      case ']': keys.push_back(K(IKey::kEnd)); break;
      case '^': keys.push_back(K(IKey::kBackspace)); break;
      case '#': keys.push_back(K(IKey::kDelete)); break;
      default: keys.push_back(T(c)); break;
    }
  }
  return keys;
}

}  // namespace

TEST(EntryTextTest, EditingKeysFromAFullySelectedStart) {
  struct Case {
    const char* start;
    const char* keys;
    const char* text;
    size_t caret;
  };
  const Case cases[] = {
      {"200.0", "440", "440", 3},        // typing replaces the selection
      {"200.0", "^", "", 0},             // so does Backspace
      {"200.0", "#", "", 0},             // and Delete
      {"200.0", ">^", "200.", 4},        // Right keeps the text, caret at its end
      {"200.0", "<5", "5200.0", 1},      // Left lands at the start
      {"200.0", "]<<^9", "209.0", 3},    // Backspace takes the character before the caret
      {"200.0", "[#", "00.0", 0},        // Delete the one after it
      {"200.0", "[^<", "200.0", 0},      // nothing to take or pass at the start
      {"200.0", "]#>", "200.0", 5},      // nor at the end
      {"", "12.5", "12.5", 4},           // an empty start has nothing selected
  };
  for (const Case& c : cases) {
    IEntryText e;
    e.Reset(c.start);
    for (const IKeyPress& k : Keys(c.keys)) EXPECT_TRUE(e.Apply(k)) << c.keys;
    EXPECT_EQ(e.Text(), c.text) << c.start << " + " << c.keys;
    EXPECT_EQ(e.Caret(), c.caret) << c.start << " + " << c.keys;
    EXPECT_FALSE(e.AllSelected() && c.keys[0]) << c.keys;
  }
}

TEST(EntryTextTest, LeavesOtherKeysAndControlCharactersAlone) {
  IEntryText e;
  e.Reset("1.5");
  for (IKeyPress k : {K(IKey::kEnter), K(IKey::kEscape), K(IKey::kUp), K(IKey::kOther), T('\t'), T('\x7f')})
    EXPECT_FALSE(e.Apply(k));
  EXPECT_EQ(e.Text(), "1.5");
  EXPECT_TRUE(e.AllSelected());
}

TEST(EntryTextTest, StopsAtTheLengthACommitReads) {
  IEntryText e;
  e.Reset(std::string(IEntryText::kMaxLength + 5, '7').c_str());
  EXPECT_EQ(e.Text().size(), IEntryText::kMaxLength);
  EXPECT_TRUE(e.Apply(K(IKey::kEnd)));
  EXPECT_TRUE(e.Apply(T('8')));
  EXPECT_EQ(e.Text().size(), IEntryText::kMaxLength);
  EXPECT_EQ(e.Text().back(), '7');
}

TEST(EditorKeyCodeTest, SpaceArrowsDigitsAndLettersOnly) {
  struct Case {
    IKeyPress press;
    int32_t code;
  };
  const Case cases[] = {
      {T(' '), 0},  {K(IKey::kUp), 1},   {K(IKey::kDown), 2}, {K(IKey::kLeft), 3}, {K(IKey::kRight), 4},
      {T('0'), 6},  {T('9'), 15},        {T('A'), 16},        {T('a'), 16},        {T('z'), 41},
      {T('.'), -1}, {K(IKey::kEnter), -1}, {K(IKey::kHome), -1}, {K(IKey::kOther), -1},
  };
  for (const Case& c : cases) EXPECT_EQ(EditorKeyCode(c.press), c.code) << static_cast<int>(c.press.key) << c.press.text;
}
