#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "tests/framework/TestPlugin.h"

namespace {

StateChunk ChunkOf(std::vector<double> values) {
  StateChunk chunk;
  for (double v : values) chunk.AppendDouble(v);
  return chunk;
}

TEST(PresetStore, SaveAndLoadParams) {
  TestPlugin plug;
  plug.Param(0)->value = 2.345;
  StateChunk chunk;
  ASSERT_TRUE(plug.SaveParams(chunk));
  EXPECT_EQ(chunk.Size(), 24);
  TestPlugin other;
  EXPECT_EQ(other.LoadParams(chunk, 0), 24);
  EXPECT_EQ(other.Param(0)->value, 2.345);
  EXPECT_EQ(other.changed, (std::vector<int32_t>{0, 1, 2}));
}

TEST(PresetStore, LoadClampsAndStopsAtTheEnd) {
  struct Case {
    const char* what;
    StateChunk chunk;
    int answer;
    std::vector<double> values;
    std::vector<int32_t> changed;
  } cases[] = {
      {"over-range values clamp", ChunkOf({99, -99, 1.5}), 24, {10, -5, 1.5}, {0, 1, 2}},
      // 12 bytes: parameter 0 restored; parameter 1's bytes are not all there, so it keeps its value.
      {"short chunk", [] { StateChunk c = ChunkOf({4.5}); c.AppendInt32(0); return c; }(), -1, {4.5, 3, 0}, {0}},
      {"empty chunk", StateChunk(), -1, {1, 3, 0}, {}},
      {"NaN keeps the value",
       ChunkOf({std::numeric_limits<double>::quiet_NaN(), 2, 1}), 24, {1, 2, 1}, {0, 1, 2}},
  };
  for (Case& c : cases) {
    TestPlugin plug;
    SCOPED_TRACE(c.what);
    EXPECT_EQ(plug.LoadParams(c.chunk, 0), c.answer);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(plug.Param(i)->value, c.values[i]) << i;
    EXPECT_EQ(plug.changed, c.changed);
  }
}

TEST(PresetStore, AddAndSelectPresets) {
  TestPlugin plug("1-1 2-2", 5);
  plug.AddPlaceholderPresets("---- default ----", 1);
  plug.AddPreset("Loud", 7.5, 2, 1);
  plug.AddPlaceholderPresets(nullptr, 1);
  EXPECT_STREQ(plug.PresetName(0), "---- default ----");
  EXPECT_STREQ(plug.PresetName(1), "Loud");
  EXPECT_STREQ(plug.PresetName(2), "Default");
  EXPECT_STREQ(plug.PresetName(3), "- 4 -");
  EXPECT_STREQ(plug.PresetName(5), "");
  EXPECT_STREQ(plug.PresetName(-1), "");

  EXPECT_TRUE(plug.SelectPreset(1));
  EXPECT_EQ(plug.Param(0)->value, 7.5);
  EXPECT_EQ(plug.Param(1)->value, 2.0);
  EXPECT_EQ(plug.CurrentPreset(), 1);

  // A placeholder holds nothing: selecting it answers false and keeps every value.
  EXPECT_FALSE(plug.SelectPreset(0));
  EXPECT_EQ(plug.CurrentPreset(), 0);
  EXPECT_EQ(plug.Param(0)->value, 7.5);

  // Undefined slots become user presets, numbered in turn.
  EXPECT_TRUE(plug.SelectPreset(3));
  EXPECT_TRUE(plug.SelectPreset(4));
  EXPECT_STREQ(plug.PresetName(3), "user preset 1");
  EXPECT_STREQ(plug.PresetName(4), "user preset 2");
  EXPECT_EQ(plug.Param(0)->value, 7.5);

  EXPECT_FALSE(plug.SelectPreset(5));
  EXPECT_FALSE(plug.SelectPreset(-1));
  EXPECT_EQ(plug.CurrentPreset(), 4);

  // Every slot is defined now: adding changes nothing.
  plug.AddPreset("Late", 1.0, 0, 0);
  for (int i = 0; i < 5; ++i) EXPECT_STRNE(plug.PresetName(i), "Late");
}

TEST(PresetStore, ExchangeFormatRoundTrip) {
  TestPlugin source("1-1 2-2", 4);
  source.AddPreset("First", 1.25, -2, 2);
  source.AddPlaceholderPresets("Empty", 1);
  source.AddPreset("Third", 9.0, 5, 0);
  StateChunk store;
  ASSERT_TRUE(source.SavePresetStore(store));

  TestPlugin target("1-1 2-2", 4);
  EXPECT_EQ(target.LoadPresetStore(store, 0), store.Size());
  for (int i = 0; i < 4; ++i) EXPECT_STREQ(target.PresetName(i), source.PresetName(i)) << i;
  EXPECT_TRUE(target.Preset(0)->defined);
  // A slot without values travels as a name only; the slots after it stay in step.
  EXPECT_FALSE(target.Preset(1)->defined);
  EXPECT_TRUE(target.Preset(2)->defined);
  ASSERT_TRUE(target.SelectPreset(2));
  EXPECT_EQ(target.Param(0)->value, 9.0);
  EXPECT_EQ(target.Param(1)->value, 5.0);
  ASSERT_TRUE(target.SelectPreset(0));
  EXPECT_EQ(target.Param(1)->value, -2.0);

  // A truncated store stops where its data ends and keeps what it read.
  StateChunk cut;
  cut.AppendBytes(store.Data(), 20);
  TestPlugin partial("1-1 2-2", 4);
  EXPECT_EQ(partial.LoadPresetStore(cut, 0), -1);
  EXPECT_STREQ(partial.PresetName(0), "First");
}

}  // namespace
