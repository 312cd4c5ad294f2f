#include "tools/session/SessionWords.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }

}  // namespace

bool SplitWords(const std::string& line, std::vector<std::string>* words, std::string* why) {
  words->clear();
  std::string word;
  bool inWord = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '"') {
      inWord = true;
      std::size_t j = i + 1;
      for (; j < line.size() && line[j] != '"'; ++j) {
        if (line[j] == '\\' && j + 1 < line.size() && (line[j + 1] == '"' || line[j + 1] == '\\')) ++j;
        word += line[j];
      }
      if (j >= line.size()) {
        *why = "a quote opened in column " + std::to_string(i + 1) + " is not closed";
        return false;
      }
      i = j;
    } else if (c == '#' || IsBlank(c)) {
      if (inWord) words->push_back(word);
      word.clear();
      inWord = false;
      if (c == '#') return true;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words->push_back(word);
  return true;
}
