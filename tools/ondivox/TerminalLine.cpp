#include "tools/ondivox/TerminalLine.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

void TerminalLine::Draw(const std::string& text) {
  std::fprintf(stderr, "\r%-*s", static_cast<int>(width), text.c_str());
  std::fflush(stderr);
  width = std::max(width, text.size());
}

void TerminalLine::Clear() {
  if (width == 0) return;
  std::fprintf(stderr, "\r%*s\r", static_cast<int>(width), "");
  std::fflush(stderr);
  width = 0;
}

std::string ClockText(double seconds) {
  long s = static_cast<long>(std::lround(std::max(0.0, seconds)));
  char text[32];
  if (s >= 3600) std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", s / 3600, s / 60 % 60, s % 60);
  else std::snprintf(text, sizeof text, "%ld:%02ld", s / 60, s % 60);
  return text;
}
