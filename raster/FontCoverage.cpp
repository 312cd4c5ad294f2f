#include "raster/FontCoverage.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kStackRowPixels = 1024;
constexpr uint8_t kFull = 255;
constexpr uint8_t kEdge = 128;

inline PX_Pixel32 half(PX_Pixel32 c) { return (c >> 1) & 0x7F7F7F7F; }
inline PX_Pixel32 eighth(PX_Pixel32 c) { return (c >> 3) & 0x1F1F1F1F; }
inline PX_Pixel32 quarter(PX_Pixel32 c) { return (c >> 2) & 0x3F3F3F3F; }

// The two neighbours on one axis; a missing one lends its share to the other.
// With both missing the pixel stands in for them.
inline PX_Pixel32 pairShare(const PX_Pixel32* before, const PX_Pixel32* after, PX_Pixel32 self) {
  if (before && after) return eighth(*before) + eighth(*after);
  if (before) return quarter(*before);
  if (after) return quarter(*after);
  return quarter(self);
}

void blurRows(PX_Pixel32* top, ptrdiff_t step, int width, int height, PX_Pixel32* above, PX_Pixel32* current) {
  const size_t rowBytes = static_cast<size_t>(width) * sizeof(PX_Pixel32);
  for (int y = 0; y < height; ++y) {
    PX_Pixel32* row = top + y * step;
    std::memcpy(current, row, rowBytes);  // the row's own values before it is written
    const PX_Pixel32* below = y + 1 < height ? row + step : nullptr;  // still untouched
    for (int x = 0; x < width; ++x) {
      PX_Pixel32 c = current[x];
      PX_Pixel32 horizontal = pairShare(x > 0 ? &current[x - 1] : nullptr, x + 1 < width ? &current[x + 1] : nullptr, c);
      PX_Pixel32 vertical = pairShare(y > 0 ? &above[x] : nullptr, below ? &below[x] : nullptr, c);
      row[x] = half(c) + horizontal + vertical;
    }
    std::swap(above, current);
  }
}

bool columnBlank(const PX_GlyphCoverage& g, int x) {
  for (int y = 0; y < g.height; ++y)
    if (g.bytes[static_cast<size_t>(y) * g.width + x] != 0) return false;
  return true;
}

// Marks empty pixels that have a full pixel at any of the given offsets.
template <size_t N>
void markBeside(PX_GlyphCoverage* g, const int (&offsets)[N][2]) {
  for (int y = 0; y < g->height; ++y) {
    for (int x = 0; x < g->width; ++x) {
      if (g->at(x, y) != 0) continue;
      for (const auto& o : offsets) {
        int nx = x + o[0], ny = y + o[1];
        if (nx >= 0 && ny >= 0 && nx < g->width && ny < g->height && g->at(nx, ny) == kFull) {
          g->at(x, y) = kEdge;  // never full, so it cannot spread further
          break;
        }
      }
    }
  }
}

}  // namespace

void PX_BlurCell(PX_Pixel32* top, ptrdiff_t step, int width, int height) {
  if (!top || width <= 0 || height <= 0) return;
  if (width <= kStackRowPixels) {
    PX_Pixel32 rows[2 * kStackRowPixels];
    blurRows(top, step, width, height, rows, rows + kStackRowPixels);
  } else {
    std::vector<PX_Pixel32> rows(2 * static_cast<size_t>(width));
    blurRows(top, step, width, height, rows.data(), rows.data() + width);
  }
}

void PX_TakeCoverage(const PX_Pixel32* top, ptrdiff_t step, int width, int height, bool invert, int origin,
                     int margin, PX_GlyphCoverage* out) {
  PX_GlyphCoverage all;
  all.width = std::max(width, 0);
  all.height = std::max(height, 0);
  all.bytes.resize(static_cast<size_t>(all.width) * all.height);
  for (int y = 0; y < all.height; ++y)
    for (int x = 0; x < all.width; ++x) {
      int red = PX_Red(top[y * step + x]);
      all.at(x, y) = static_cast<uint8_t>(invert ? 255 - red : red);
    }

  int first = 0;
  while (first < all.width && columnBlank(all, first)) ++first;
  int last = all.width - 1;
  while (last >= first && columnBlank(all, last)) --last;

  int left, right;  // kept columns [left, right)
  if (last < first) {
    left = right = 0;  // nothing covered
  } else {
    left = std::max(0, std::min(first, origin) - margin);
    right = std::min(all.width, last + 1 + margin);
  }
  out->width = right - left;
  out->height = all.height;
  out->leftOffset = out->width > 0 ? origin - left : 0;
  out->bytes.resize(static_cast<size_t>(out->width) * out->height);
  for (int y = 0; out->width > 0 && y < out->height; ++y)
    std::memcpy(&out->at(0, y), &all.at(left, y), static_cast<size_t>(out->width));
}

void PX_TurnCoverage(PX_GlyphCoverage* g, bool counterClockwise) {
  PX_GlyphCoverage turned;
  turned.width = g->height;
  turned.height = g->width;
  turned.leftOffset = g->leftOffset;
  turned.bytes.resize(g->bytes.size());
  for (int y = 0; y < g->height; ++y)
    for (int x = 0; x < g->width; ++x) {
      if (counterClockwise)
        turned.at(y, g->width - 1 - x) = g->at(x, y);
      else
        turned.at(g->height - 1 - y, x) = g->at(x, y);
    }
  *g = std::move(turned);
}

void PX_ThresholdCoverage(PX_GlyphCoverage* g) {
  for (uint8_t& b : g->bytes) b = b > 130 ? kFull : 0;
}

void PX_AddShadow(PX_GlyphCoverage* g) {
  static const int kFrom[3][2] = {{-1, 0}, {-1, -1}, {0, -1}};
  markBeside(g, kFrom);
}

void PX_AddOutline(PX_GlyphCoverage* g) {
  static const int kFrom[4][2] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};
  markBeside(g, kFrom);
}
