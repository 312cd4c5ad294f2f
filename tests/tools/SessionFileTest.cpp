// The session file's own syntax: times and words, where a slip changes
// when or what is played.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/session/SessionTime.h"
#include "tools/session/SessionWords.h"

TEST(SessionTime, ReadsTimesAndRefusesWhatIsNotOne) {
  const struct {
    const char* text;
    double seconds;  // negative: not a time
  } cases[] = {
      {"90", 90},        {"2.25", 2.25},  {"1:30", 90},    {"0:01:30.5", 90.5},
      {"1:00:00", 3600}, {"90:00", 5400}, {"0:00", 0},     {"12:34.125", 754.125},
      {"1:5", -1},       {"1:75", -1},    {"1:60:00", -1}, {"1:5:00", -1},
      {"-1", -1},        {"+1", -1},      {"1e3", -1},     {"1:30.", -1},
      {".5", -1},        {"1::30", -1},   {"", -1},        {"1:00:00:00", -1},
      {"0x10", -1},      {"1:30 ", -1},
  };
  for (const auto& c : cases) {
    double seconds = -1;
    const bool ok = ParseSessionTime(c.text, &seconds);
    EXPECT_EQ(ok, c.seconds >= 0) << "'" << c.text << "'";
    if (ok && c.seconds >= 0) {
      EXPECT_DOUBLE_EQ(seconds, c.seconds) << c.text;
    }
  }
  EXPECT_EQ(FormatSessionTime(754.125), "12:34.125");
  EXPECT_EQ(FormatSessionTime(3600 + 62.5), "1:01:02.500");
}

TEST(SessionWords, SplitsAtBlanksKeepingQuotedWordsWhole) {
  const struct {
    const char* line;
    std::vector<std::string> words;
  } cases[] = {
      {"0:30   ramp 20:00 Isochronic=6 \"Base Freq=180\"", {"0:30", "ramp", "20:00", "Isochronic=6", "Base Freq=180"}},
      {"\t0 set \"Base Freq\"=180\r", {"0", "set", "Base Freq=180"}},
      {"input \"rain #2.wav\" loop   # the rain", {"input", "rain #2.wav", "loop"}},
      {"0 program \"say \\\"hi\\\" \\\\ now\"", {"0", "program", "say \"hi\" \\ now"}},
      {"input \"C:\\music\\rain.wav\"", {"input", "C:\\music\\rain.wav"}},
      {"0 set Volume=1#comment", {"0", "set", "Volume=1"}},
      {"# only a comment", {}},
      {"   ", {}},
      {"0 program \"\"", {"0", "program", ""}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> words;
    std::string why;
    EXPECT_TRUE(SplitWords(c.line, &words, &why)) << c.line << ": " << why;
    EXPECT_EQ(words, c.words) << c.line;
  }
  std::vector<std::string> words;
  std::string why;
  EXPECT_FALSE(SplitWords("0 program \"Isochronic - 14.1", &words, &why));
  EXPECT_EQ(why, "a quote opened in column 11 is not closed");
}
