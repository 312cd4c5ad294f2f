// The user's zoom choice in its settings file: written whole, read back, and
// a damaged file taken as no choice.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "editor/ZoomSettings.h"

namespace {

namespace fs = std::filesystem;

std::string Scratch(const char* name) {
  const fs::path dir = fs::temp_directory_path() / "ondivox-zoom-test" / name;
  fs::remove_all(dir);
  return (dir / "Ondivox" / "settings.txt").string();
}

void WriteText(const std::string& path, const std::string& text) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

TEST(ZoomSettings, ReadsOnlyAWellFormedChoice) {
  const struct {
    const char* text;
    int32_t zoom;
  } cases[] = {
      {"zoom=100\n", 100}, {"zoom=125", 125},      {"zoom=300\r\n", 300}, {"zoom=175\n\n", 175},
      {"zoom=151\n", 0},   {"zoom=400\n", 0},      {"zoom=0\n", 0},       {"zoom=-150\n", 0},
      {"zoom=abc\n", 0},   {"zoom=\n", 0},         {"zoom=1500\n", 0},    {"ZOOM=150\n", 0},
      {" zoom=150\n", 0},  {"zoom=150 x\n", 0},    {"", 0},               {"\xff\xfe\x00z", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(ZoomSettings::Parse(c.text), c.zoom) << c.text;
  for (int32_t choice : ZoomSettings::kChoices) EXPECT_EQ(ZoomSettings::Parse(ZoomSettings::Format(choice)), choice);
}

TEST(ZoomSettings, AChoiceIsWrittenWholeAndReadBack) {
  const std::string path = Scratch("roundtrip");
  EXPECT_EQ(ZoomSettings::Load(path), 0) << "no file: no choice";
  ASSERT_TRUE(ZoomSettings::Save(175, path)) << "the folders are made";
  EXPECT_EQ(ZoomSettings::Load(path), 175);
  ASSERT_TRUE(ZoomSettings::Save(250, path)) << "an earlier file is replaced";
  EXPECT_EQ(ZoomSettings::Load(path), 250);
  EXPECT_FALSE(fs::exists(path + ".part")) << "nothing is left beside it";
  // Only the menu's choices are remembered; the file stays as it was.
  EXPECT_FALSE(ZoomSettings::Save(110, path));
  EXPECT_EQ(ZoomSettings::Load(path), 250);
  EXPECT_FALSE(ZoomSettings::Save(150, ""));
}

TEST(ZoomSettings, ADamagedFileIsNoChoice) {
  const std::string path = Scratch("damaged");
  for (const char* text : {"zoom=1", "garbage", "zoom=200zoom=200", "\n\n\n"}) {
    WriteText(path, text);
    EXPECT_EQ(ZoomSettings::Load(path), 0) << text;
  }
  // A file far longer than any setting is read no further than its start.
  WriteText(path, std::string(1 << 20, 'z'));
  EXPECT_EQ(ZoomSettings::Load(path), 0);
  // A folder where the file should be.
  fs::remove(path);
  fs::create_directories(path);
  EXPECT_EQ(ZoomSettings::Load(path), 0);
  EXPECT_FALSE(ZoomSettings::Save(150, path));
}

}  // namespace
