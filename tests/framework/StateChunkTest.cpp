#include <gtest/gtest.h>

#include <cstring>

#include "framework/StateChunk.h"

namespace {

TEST(StateChunk, ValuesAreLittleEndianAndReadBack) {
  StateChunk chunk;
  chunk.AppendDouble(1.0);
  chunk.AppendInt32(-2);
  chunk.AppendByte(7);
  chunk.AppendText("abc");
  ASSERT_EQ(chunk.Size(), 8 + 4 + 1 + 4 + 3);
  const uint8_t oneLE[8] = {0, 0, 0, 0, 0, 0, 0xF0, 0x3F};
  EXPECT_EQ(std::memcmp(chunk.Data(), oneLE, 8), 0);

  double d = 0;
  int32_t i = 0;
  uint8_t b = 0;
  char text[8];
  int pos = chunk.ReadDouble(0, &d);
  pos = chunk.ReadInt32(pos, &i);
  pos = chunk.ReadByte(pos, &b);
  pos = chunk.ReadText(pos, text, sizeof text);
  EXPECT_EQ(d, 1.0);
  EXPECT_EQ(i, -2);
  EXPECT_EQ(b, 7);
  EXPECT_STREQ(text, "abc");
  EXPECT_EQ(pos, chunk.Size());
}

TEST(StateChunk, ReadsPastTheEndAnswerMinusOne) {
  StateChunk chunk;
  chunk.AppendInt32(5);
  double d = 3;
  int32_t i = 0;
  EXPECT_EQ(chunk.ReadDouble(0, &d), -1);
  EXPECT_EQ(d, 3.0);
  EXPECT_EQ(chunk.ReadInt32(1, &i), -1);
  EXPECT_EQ(chunk.ReadInt32(-1, &i), -1);
  EXPECT_EQ(chunk.ReadInt32(0x7FFFFFFE, &i), -1);  // no overflow in the bounds check
}

TEST(StateChunk, TextLengthsAreChecked) {
  char text[4] = "zz";
  StateChunk negative;
  negative.AppendInt32(-1);
  EXPECT_EQ(negative.ReadText(0, text, sizeof text), -1);
  StateChunk truncated;
  truncated.AppendInt32(10);
  truncated.AppendBytes("ab", 2);
  EXPECT_EQ(truncated.ReadText(0, text, sizeof text), -1);
  StateChunk overlong;
  overlong.AppendText("abcdef");
  overlong.AppendByte(1);
  EXPECT_EQ(overlong.ReadText(0, text, sizeof text), 10);  // skipped, read as empty
  EXPECT_STREQ(text, "");
}

}  // namespace
