#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "instrument/Ondivox.h"

namespace {

// The program values of parameters 0 ... 24 that every named program starts from.
const double kBase[kNumParams] = {200, 4, 100, 0, 0, 0, 1, 1, 1000, 90, 0, 0, 1,
                                  15, 2000, 90, 0, 0, 0, 1, 15, 2000, 90, 0, 1};

std::vector<double> Contents(const CLS_ONDIVOX& plug, int slot) {
  const StateChunk& chunk = plug.Preset(slot)->contents;
  std::vector<double> values(chunk.Size() / 8);
  for (std::size_t i = 0; i < values.size(); ++i) chunk.ReadDouble(static_cast<int>(i * 8), &values[i]);
  return values;
}

double NumberAfterDash(const char* name) { return std::strtod(std::strstr(name, " - ") + 3, nullptr); }

struct Change {
  int index;
  double value;
};

// What each slot's group changes from the base, worked out from its name.
std::vector<Change> ExpectedChanges(int slot, const char* name) {
  static const std::vector<Change> kSound[14] = {
      {},
      {{0, 400}, {2, 90}},
      {{2, 90}, {10, 4}, {13, 18}, {15, 100}},
      {{2, 90}, {9, 0}, {17, 5}, {22, 80}},
      {{9, 80}, {10, 4}, {13, 18}, {15, 100}, {17, 5}, {22, 50}},
      {{3, 1}, {9, 80}},
      {{3, 2}, {9, 50}},
      {{3, 3}, {9, 45}},
      {{3, 4}, {9, 80}},
      {{3, 5}, {9, 80}},
      {{3, 6}, {9, 80}},
      {{3, 7}, {9, 45}},
      {{5, 1}},
      {{2, 50}},
  };
  if (slot <= 13) return kSound[slot];
  if (slot <= 103) return {{1, slot == 73 ? 63.0 : NumberAfterDash(name)}};
  std::vector<Change> carrier = {{0, NumberAfterDash(name)}, {2, 75}, {6, 0}};
  if (slot <= 121 || slot % 2 == 0) return carrier;
  static const int kLfo2Depth[10] = {50, 50, 45, 45, 45, 40, 40, 50, 50, 40};
  for (Change c : {Change{9, 0}, Change{10, 4}, Change{13, 18}, Change{15, 100}, Change{17, 5},
                   Change{22, double(kLfo2Depth[(slot - 123) / 2])}})
    carrier.push_back(c);
  return carrier;
}

TEST(FactoryPresets, EveryProgramFollowsItsGroupRule) {
  CLS_ONDIVOX plug;
  for (int slot = 1; slot <= 141; ++slot) {
    const char* name = plug.PresetName(slot);
    SCOPED_TRACE(std::to_string(slot) + " " + name);
    ASSERT_TRUE(plug.Preset(slot)->defined);
    std::vector<double> expected(kBase, kBase + kNumParams);
    for (const Change& c : ExpectedChanges(slot, name)) expected[c.index] = c.value;
    EXPECT_EQ(Contents(plug, slot), expected);
  }
}

TEST(FactoryPresets, NamesAreTheProgramListByteForByte) {
  CLS_ONDIVOX plug;
  // FNV-1a over the 141 names, each followed by a line feed, taken from the
  // program list as published.
  uint64_t hash = 0xcbf29ce484222325ull;
  for (int slot = 1; slot <= 141; ++slot) {
    for (const char* p = plug.PresetName(slot);; ++p) {
      hash ^= static_cast<unsigned char>(*p ? *p : '\n');
      hash *= 0x100000001b3ull;
      if (!*p) break;
    }
  }
  EXPECT_EQ(hash, 0x4ec80e4453c02b02ull);
  // The list's own typing is kept.
  struct Case {
    int slot;
    const char* name;
  } cases[] = {
      {1, "Higher frequencies"},
      {34, "Isochronic - 3.5 (Feeling of unity with everythin)"},
      {67, "Isochronic - 32.0 (Desensitizer; enhanced vigour & alertnes)"},
      {73, "Isochronic - 63.5 (Astral projection)"},
      {121, "Healing - 586 Hz (Circulation  & sex)"},
      {141, "Solfeggio - 936 Hz Hz LFO"},
  };
  for (const Case& c : cases) EXPECT_STREQ(plug.PresetName(c.slot), c.name);
}

TEST(FactoryPresets, DefaultAndUnusedSlots) {
  CLS_ONDIVOX plug;
  EXPECT_STREQ(plug.PresetName(0), "---- default ----");
  EXPECT_TRUE(plug.Preset(0)->defined);
  EXPECT_EQ(plug.Preset(0)->contents.Size(), 0);
  for (int slot = 142; slot < kNumPresetSlots; ++slot) {
    EXPECT_FALSE(plug.Preset(slot)->defined);
    EXPECT_EQ(plug.PresetName(slot), "- " + std::to_string(slot + 1) + " -");
  }
}

TEST(FactoryPresets, SelectingAProgramAppliesItsValues) {
  CLS_ONDIVOX plug;
  ASSERT_TRUE(plug.SelectPreset(73));
  EXPECT_EQ(plug.Param(kIsoRate)->value, 63.0);
  EXPECT_EQ(plug.Param(kPlayAnyway)->value, 1.0);
  ASSERT_TRUE(plug.SelectPreset(127));  // "Solfeggio MI - 528 Hz LFO"
  EXPECT_EQ(plug.Param(kBaseFreq)->value, 528.0);
  EXPECT_EQ(plug.Param(kIsoOn)->value, 0.0);
  EXPECT_EQ(plug.Param(kLfo2Depth)->value, 45.0);
  // The empty default slot changes nothing and reports it.
  EXPECT_FALSE(plug.SelectPreset(0));
  EXPECT_EQ(plug.Param(kBaseFreq)->value, 528.0);
}

}  // namespace
