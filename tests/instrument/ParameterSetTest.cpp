#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "instrument/Ondivox.h"

namespace {

struct ParamRow {
  int index;
  const char* name;
  int kind;
  double min, max, def, step;
  const char* label;
  double curve;
  int texts;  // number of value texts
};

const ParamRow kRows[] = {
    {0, "Base Freq", kKindDouble, 20, 20000, 200, 0.1, "Hz", 2.0, 0},
    {1, "Isochronic", kKindDouble, 0.01, 512, 4, 0.01, "Hz", 1.0, 0},
    {2, "Round", kKindInt, 0, 100, 75, 1, "%", 1.0, 0},
    {3, "Wave", kKindEnum, 0, 7, 0, 1, "", 1.0, 8},
    {4, "Pan", kKindInt, -100, 100, 0, 1, "%", 1.0, 0},
    {5, "Golden iso", kKindEnum, 0, 1, 0, 1, "", 1.0, 2},
    {6, "Isochronic", kKindEnum, 0, 1, 1, 1, "", 1.0, 2},
    {7, "Play Anyway", kKindEnum, 0, 1, 0, 1, "", 1.0, 2},
    {8, "Fade", kKindInt, 1, 90000, 1000, 1, "ms", 1.0, 0},
    {9, "Volume", kKindInt, 0, 100, 90, 1, "%", 1.0, 0},
    {10, "LFO1 Target", kKindEnum, 0, 5, 0, 1, "", 1.0, 6},
    {11, "LFO1 Wave", kKindEnum, 0, 6, 0, 1, "", 1.0, 7},
    {12, "LFO1 Sync", kKindEnum, 0, 1, 1, 1, "", 1.0, 2},
    {13, "LFO1 Rate", kKindEnum, 0, 30, 15, 1, "", 1.0, 31},
    {14, "LFO1 Rate", kKindInt, 60, 64000, 2000, 1, "ms", 2.0, 0},
    {15, "LFO1 Depth", kKindInt, 0, 100, 90, 1, "%", 1.0, 0},
    {16, "LFO1 Start", kKindInt, 0, 100, 0, 1, "%", 1.0, 0},
    {17, "LFO2 Target", kKindEnum, 0, 5, 0, 1, "", 1.0, 6},
    {18, "LFO2 Wave", kKindEnum, 0, 6, 0, 1, "", 1.0, 7},
    {19, "LFO2 Sync", kKindEnum, 0, 1, 1, 1, "", 1.0, 2},
    {20, "LFO2 Rate", kKindEnum, 0, 30, 15, 1, "", 1.0, 31},
    {21, "LFO2 Rate", kKindInt, 60, 64000, 2000, 1, "ms", 2.0, 0},
    {22, "LFO2 Depth", kKindInt, 0, 100, 90, 1, "%", 1.0, 0},
    {23, "LFO2 Start", kKindInt, 0, 100, 0, 1, "%", 1.0, 0},
    {24, "LFO's Sync", kKindEnum, 0, 1, 1, 1, "", 1.0, 2},
};

std::string Format(const IParamEntry* p, double plain) {
  char text[IParamEntry::kFormatBufferSize];
  p->FormatValue(plain, false, text);
  return text;
}

TEST(ParameterSet, EveryParameterIsDefinedAsTabled) {
  CLS_ONDIVOX plug;
  ASSERT_EQ(plug.ParamCount(), kNumParams);
  for (const ParamRow& row : kRows) {
    const IParamEntry* p = plug.Param(row.index);
    SCOPED_TRACE(row.index);
    EXPECT_STREQ(p->Name(), row.name);
    EXPECT_EQ(p->kind, row.kind);
    EXPECT_DOUBLE_EQ(p->min, row.min);
    EXPECT_DOUBLE_EQ(p->max, row.max);
    EXPECT_DOUBLE_EQ(p->defaultValue, row.def);
    EXPECT_DOUBLE_EQ(p->value, row.def);
    EXPECT_DOUBLE_EQ(p->step, row.step);
    EXPECT_STREQ(p->Label(), row.label);
    EXPECT_EQ(p->curve, row.curve);
    EXPECT_EQ(p->ValueTextCount(), row.texts);
  }
}

TEST(ParameterSet, DisplayTexts) {
  CLS_ONDIVOX plug;
  struct Case {
    int index;
    double plain;
    const char* text;
  } cases[] = {
      {kBaseFreq, 200, "200.0"},      {kIsoRate, 4, "4.00"},       {kIsoRate, 0.01, "0.01"},
      {kWave, 6, "Gold. Triangle"},   {kWave, 7, "Gold. Square"},  {kGoldenIso, 1, "On"},
      {kIsoOn, 0, "Off"},             {kPlayAnyway, 1, "Yes"},     {kLfo1Target, 5, "Volume"},
      {kLfo2Target, 0, "No Assign"},  {kLfo1Wave, 6, "Half Flip"}, {kLfo2Wave, 3, "Saw Flip"},
      {kLfo1RateNote, 0, "1/32"},     {kLfo1RateNote, 1, "1/16T"}, {kLfo2RateNote, 15, "1/1"},
      {kLfo2RateNote, 29, "16/1D"},   {kLfo1RateNote, 30, "32/1"}, {kLfo1RateMs, 2000, "2000"},
      {kPan, -100, "-100"},           {kLfosSync, 0, "No"},        {kRound, 0, "0"},
  };
  for (const Case& c : cases) EXPECT_EQ(Format(plug.Param(c.index), c.plain), c.text) << c.index;
}

TEST(ParameterSet, CurvedParametersMapTheirMiddle) {
  CLS_ONDIVOX plug;
  // "Base Freq" spends half its travel below about 5 kHz.
  EXPECT_NEAR(plug.Param(kBaseFreq)->NormalizedToPlain(0.5), 0.25 * 19980 + 20, 1e-9);
  EXPECT_NEAR(plug.Param(kLfo1RateMs)->PlainToNormalized(2000), std::sqrt((2000.0 - 60) / 63940), 1e-12);
}

TEST(ParameterSet, PluginIdentity) {
  CLS_ONDIVOX plug;
  char text[32];
  plug.VersionText(text, sizeof text);
  EXPECT_STREQ(text, "v1.10");
  EXPECT_TRUE(plug.IsChannelPairSupported(2, 2));
  EXPECT_TRUE(plug.IsChannelPairSupported(1, 1));
  EXPECT_FALSE(plug.IsChannelPairSupported(1, 2));
  EXPECT_EQ(plug.InputChannelCount(), 2);
  EXPECT_EQ(plug.PresetCount(), kNumPresetSlots);
}

TEST(ParameterSet, StateOfANewInstanceIs200BytesAndRestoresExactly) {
  CLS_ONDIVOX a;
  // Values that are not on the step grid must survive too: state stores plain doubles.
  a.Param(kBaseFreq)->value = 432.123456789;
  a.Param(kIsoRate)->value = 7.83;
  a.Param(kPan)->value = -37;
  StateChunk chunk;
  ASSERT_TRUE(a.SaveState(chunk));
  EXPECT_EQ(chunk.Size(), 200);
  CLS_ONDIVOX b;
  EXPECT_EQ(b.LoadState(chunk, 0), 200);
  for (int i = 0; i < kNumParams; ++i) EXPECT_EQ(b.Param(i)->value, a.Param(i)->value) << i;
}

}  // namespace
