#include "tools/ondivox/Progress.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr double kRedrawEvery = 0.2;

// Renders shorter than this never show a line. ONDIVOX_PROGRESS_AFTER
// (seconds) changes it, so a test can see the line of a short render.
double FirstDrawAfter() {
  const char* text = std::getenv("ONDIVOX_PROGRESS_AFTER");
  char* end = nullptr;
  const double v = text ? std::strtod(text, &end) : 0.5;
  return text && end != text && v >= 0.0 ? v : 0.5;
}

}  // namespace

ProgressLine::ProgressLine(double seconds, bool on) : audioSeconds(seconds), enabled(on), start(Clock::now()) {}

ProgressLine::~ProgressLine() { Clear(); }

double ProgressLine::Seconds(Clock::time_point t) const {
  return std::chrono::duration<double>(t - start).count();
}

std::string ProgressLine::Text(double fraction, double elapsed, double seconds) {
  char text[128];
  std::string left = fraction > 0.0 ? ClockText(elapsed * (1.0 - fraction) / fraction) : "?";
  std::snprintf(text, sizeof text, "%3d%%  %s elapsed, %s left, %.0fx real time",
                static_cast<int>(fraction * 100.0), ClockText(elapsed).c_str(), left.c_str(),
                elapsed > 0.0 ? fraction * seconds / elapsed : 0.0);
  return text;
}

void ProgressLine::Update(double fraction) {
  if (!enabled) return;
  double now = Seconds(Clock::now());
  static const double firstDrawAfter = FirstDrawAfter();
  if (now < firstDrawAfter || (lastDrawn >= 0.0 && now - lastDrawn < kRedrawEvery)) return;
  lastDrawn = now;
  line.Draw(Text(fraction, now, audioSeconds));
}

void ProgressLine::Clear() { line.Clear(); }
