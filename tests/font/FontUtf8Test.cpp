#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "raster/FontUtf8.h"

namespace {

std::vector<uint32_t> Decode(const char* text) {
  std::vector<uint32_t> codes;
  int count = static_cast<int>(std::strlen(text));
  for (int pos = 0; pos < count;) codes.push_back(PX_NextCodePoint(text, count, &pos));
  return codes;
}

struct DecodeCase {
  const char* name;
  const char* text;
  std::vector<uint32_t> codes;
};

TEST(FontUtf8, DecodesCodePoints) {
  const DecodeCase cases[] = {
      {"ascii", "Ab1", {'A', 'b', '1'}},
      {"two bytes", "\xC3\x84\xC3\x96", {0xC4, 0xD6}},
      {"three bytes", "\xE2\x82\xAC", {0x20AC}},
      {"four bytes are one space", "A\xF0\x9F\x8E\xB5" "B", {'A', ' ', 'B'}},
      {"lead without continuation is Latin-1", "\xC3" "A", {0xC3, 'A'}},
      {"sequence cut by the end", "x\xE2\x82", {'x', 0xE2, 0x82}},
      {"overlong lead stands for itself", "\xC0\x80", {0xC0, 0x80}},
      {"lone continuation", "\x80Z", {0x80, 'Z'}},
      {"lead above F4", "\xF5\x80\x80\x80", {0xF5, 0x80, 0x80, 0x80}},
  };
  for (const auto& c : cases) EXPECT_EQ(Decode(c.text), c.codes) << c.name;
}

TEST(FontUtf8, CountLimitsTheSequence) {
  // The bytes after the count are not part of the text.
  const char text[] = "\xC3\x84";
  int pos = 0;
  EXPECT_EQ(PX_NextCodePoint(text, 1, &pos), 0xC3u);
  EXPECT_EQ(pos, 1);
}

TEST(FontUtf8, FindsValidSequences) {
  EXPECT_FALSE(PX_HasUtf8Sequence("plain text", 10));
  EXPECT_FALSE(PX_HasUtf8Sequence("caf\xE9", 4));   // Latin-1 e-acute
  EXPECT_TRUE(PX_HasUtf8Sequence("caf\xC3\xA9", 5));
  EXPECT_TRUE(PX_HasUtf8Sequence("\xF0\x9F\x8E\xB5", 4));
  EXPECT_FALSE(PX_HasUtf8Sequence("\xE2\x82", 2));
}

}  // namespace
