#include "editor/ZoomSettings.h"

#include <cstdlib>

namespace ZoomSettings {

namespace {
constexpr const char kKey[] = "zoom=";
constexpr size_t kMaxFileBytes = 256;
}  // namespace

bool IsChoice(int32_t percent) {
  for (int32_t c : kChoices)
    if (c == percent) return true;
  return false;
}

std::string Format(int32_t percent) { return kKey + std::to_string(percent) + "\n"; }

int32_t Parse(const std::string& text) {
  std::string line = text;
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  if (line.compare(0, sizeof kKey - 1, kKey) != 0) return 0;
  const std::string digits = line.substr(sizeof kKey - 1);
  if (digits.empty() || digits.size() > 3 || digits.find_first_not_of("0123456789") != std::string::npos) return 0;
  const int32_t percent = std::atoi(digits.c_str());
  return IsChoice(percent) ? percent : 0;
}

std::string FilePath() {
  const std::string folder = SettingsFolder();
  return folder.empty() ? std::string() : folder + "/settings.txt";
}

int32_t Load(const std::string& path) {
  std::string text;
  if (path.empty() || !ReadSmallFile(path, &text, kMaxFileBytes)) return 0;
  return Parse(text);
}

bool Save(int32_t percent, const std::string& path) {
  if (path.empty() || !IsChoice(percent)) return false;
  return ReplaceWhole(path, Format(percent));
}

}  // namespace ZoomSettings
