#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "raster/FontCoverage.h"

namespace {

// A coverage from rows of characters: '#' full, '+' 128, '.' empty, digits tenths.
PX_GlyphCoverage Glyph(const std::vector<std::string>& rows) {
  PX_GlyphCoverage g;
  g.height = static_cast<int>(rows.size());
  g.width = g.height ? static_cast<int>(rows[0].size()) : 0;
  for (const auto& row : rows)
    for (char c : row) g.bytes.push_back(c == '#' ? 255 : c == '+' ? 128 : 0);
  return g;
}

std::vector<std::string> Rows(const PX_GlyphCoverage& g) {
  std::vector<std::string> rows;
  for (int y = 0; y < g.height; ++y) {
    std::string row;
    for (int x = 0; x < g.width; ++x) {
      uint8_t b = g.bytes[static_cast<size_t>(y) * g.width + x];
      row += b == 255 ? '#' : b == 128 ? '+' : b == 0 ? '.' : '?';
    }
    rows.push_back(row);
  }
  return rows;
}

// A white-on-black cell as the renderer leaves it (red carries the coverage).
std::vector<PX_Pixel32> Cell(const std::vector<std::vector<int>>& reds) {
  std::vector<PX_Pixel32> cell;
  for (const auto& row : reds)
    for (int v : row) cell.push_back(static_cast<PX_Pixel32>(v) * 0x010101u);
  return cell;
}

TEST(FontCoverage, BlurSpreadsAnEighthAndLendsAtEdges) {
  // 4 x 3 cell, one white pixel inside at (1, 1) and one at the left edge (0, 0).
  std::vector<PX_Pixel32> cell = Cell({{0, 0, 0, 0}, {0, 255, 0, 0}, {0, 0, 0, 0}});
  PX_BlurCell(cell.data(), 4, 4, 3);
  auto red = [&](int x, int y) { return PX_Red(cell[static_cast<size_t>(y) * 4 + x]); };
  EXPECT_EQ(red(1, 1), 127);            // half of itself
  EXPECT_EQ(red(2, 1), 31);             // an eighth from the left
  EXPECT_EQ(red(1, 0), 63);             // top row: the missing upper neighbour lends the lower one a quarter
  EXPECT_EQ(red(0, 1), 63);             // left column: likewise from the right
  EXPECT_EQ(red(3, 1), 0);
  EXPECT_EQ(red(2, 2) + red(0, 0), 0);  // diagonals get nothing
}

TEST(FontCoverage, BlurOfAWideCellUsesItsOwnRowBuffer) {
  const int w = 1500, h = 2;
  std::vector<PX_Pixel32> cell(static_cast<size_t>(w) * h, 0);
  cell[1400] = 0x00FFFFFF;
  PX_BlurCell(cell.data(), w, w, h);
  EXPECT_EQ(PX_Red(cell[1400]), 127);
  EXPECT_EQ(PX_Red(cell[1401]), 31);
  EXPECT_EQ(PX_Red(cell[w + 1400]), 63);  // bottom row of two: a quarter from above
}

struct TrimCase {
  const char* name;
  std::vector<std::vector<int>> reds;
  bool invert;
  int origin, margin;
  int width, leftOffset;
  std::vector<int> firstRow;
};

TEST(FontCoverage, TakesRedAndTrimsBlankColumns) {
  const TrimCase cases[] = {
      {"ink right of the pen", {{0, 0, 0, 0, 200, 0, 0}}, false, 2, 0, 3, 0, {0, 0, 200}},
      {"ink left of the pen keeps its columns", {{0, 90, 0, 0, 0}}, false, 2, 0, 1, 1, {90}},
      {"margin keeps one blank column each side", {{0, 0, 0, 0, 0, 50, 0, 0}}, false, 5, 1, 3, 1, {0, 50, 0}},
      {"inverted: the ink's gaps are the blank", {{0, 255, 0}}, true, 2, 0, 3, 2, {255, 0, 255}},
      {"blank cell", {{0, 0, 0}, {0, 0, 0}}, false, 2, 0, 0, 0, {}},
  };
  for (const auto& c : cases) {
    std::vector<PX_Pixel32> cell = Cell(c.reds);
    int w = static_cast<int>(c.reds[0].size()), h = static_cast<int>(c.reds.size());
    PX_GlyphCoverage g;
    PX_TakeCoverage(cell.data(), w, w, h, c.invert, c.origin, c.margin, &g);
    EXPECT_EQ(g.width, c.width) << c.name;
    EXPECT_EQ(g.height, h) << c.name;
    EXPECT_EQ(g.leftOffset, c.leftOffset) << c.name;
    EXPECT_EQ(std::vector<int>(g.bytes.begin(), g.bytes.begin() + g.width), c.firstRow) << c.name;
  }
}

TEST(FontCoverage, QuarterTurnsBothWays) {
  PX_GlyphCoverage g = Glyph({"#..", "##."});
  PX_GlyphCoverage cw = g, ccw = g;
  PX_TurnCoverage(&cw, false);
  PX_TurnCoverage(&ccw, true);
  // Clockwise: the first column becomes the top row, read right to left.
  EXPECT_EQ(Rows(cw), (std::vector<std::string>{"##", "#.", ".."}));
  // Counter-clockwise: the first column becomes the bottom row.
  EXPECT_EQ(Rows(ccw), (std::vector<std::string>{"..", ".#", "##"}));
}

TEST(FontCoverage, ThresholdSplitsAt130) {
  PX_GlyphCoverage g;
  g.width = 4;
  g.height = 1;
  g.bytes = {130, 131, 1, 255};
  PX_ThresholdCoverage(&g);
  EXPECT_EQ(g.bytes, (std::vector<uint8_t>{0, 255, 0, 255}));
}

TEST(FontCoverage, ShadowFallsRightAndDown) {
  PX_GlyphCoverage g = Glyph({"....", ".#..", "....", "...."});
  PX_AddShadow(&g);
  EXPECT_EQ(Rows(g), (std::vector<std::string>{"....", ".#+.", ".++.", "...."}));
}

TEST(FontCoverage, OutlineSurroundsWithoutSpreading) {
  PX_GlyphCoverage g = Glyph({".....", ".....", "..#..", ".....", "....."});
  PX_AddOutline(&g);
  EXPECT_EQ(Rows(g), (std::vector<std::string>{".....", "..+..", ".+#+.", "..+..", "....."}));
}

}  // namespace
