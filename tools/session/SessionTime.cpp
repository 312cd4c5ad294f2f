#include "tools/session/SessionTime.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

bool AllDigits(const std::string& s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

// Whole digits with an optional fraction: "30", "30.5".
bool ParseSeconds(const std::string& text, double* seconds) {
  const std::size_t dot = text.find('.');
  if (!AllDigits(text.substr(0, dot))) return false;
  if (dot != std::string::npos && !AllDigits(text.substr(dot + 1))) return false;
  *seconds = std::strtod(text.c_str(), nullptr);
  return std::isfinite(*seconds);
}

}  // namespace

bool ParseSessionTime(const std::string& text, double* seconds) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (std::size_t colon; (colon = text.find(':', start)) != std::string::npos; start = colon + 1)
    fields.push_back(text.substr(start, colon - start));
  fields.push_back(text.substr(start));
  if (fields.size() > 3) return false;
  double s = 0.0;
  if (!ParseSeconds(fields.back(), &s)) return false;
  if (fields.size() == 1) {
    *seconds = s;
    return true;
  }
  // Seconds (and minutes after hours) are two digits below 60.
  const std::string& ss = fields.back();
  if (ss.find('.') != 2 && !(ss.size() == 2 && ss.find('.') == std::string::npos)) return false;
  if (s >= 60.0) return false;
  double total = s;
  for (std::size_t i = 0; i + 1 < fields.size(); ++i) {
    const std::string& f = fields[i];
    if (!AllDigits(f)) return false;
    const double v = std::strtod(f.c_str(), nullptr);
    const bool isMinutesAfterHours = fields.size() == 3 && i == 1;
    if (isMinutesAfterHours && (f.size() != 2 || v >= 60.0)) return false;
    total += v * (fields.size() - 1 - i == 2 ? 3600.0 : 60.0);
  }
  *seconds = total;
  return std::isfinite(total);
}

std::string FormatSessionTime(double seconds) {
  const long long ms = std::llround(seconds * 1000.0);
  const long long h = ms / 3600000, m = ms / 60000 % 60, s = ms / 1000 % 60, f = ms % 1000;
  char text[48];
  if (h > 0)
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld.%03lld", h, m, s, f);
  else
    std::snprintf(text, sizeof text, "%lld:%02lld.%03lld", ms / 60000, s, f);
  return text;
}
