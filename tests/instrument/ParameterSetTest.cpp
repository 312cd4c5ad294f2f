#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "ReleaseState.h"
#include "instrument/Ondivox.h"

namespace {

std::string Format(const IParamEntry* p, double plain) {
  char text[IParamEntry::kFormatBufferSize];
  p->FormatValue(plain, false, text);
  return text;
}

StateChunk chunkOf(const uint8_t* bytes, int size) {
  StateChunk chunk;
  chunk.AppendBytes(bytes, size);
  return chunk;
}

// A project saved with release 1.10 ("Rich balance" with most values changed)
// must come back as it was: same values at the same indices, shown the same.
TEST(ParameterSet, StateSavedByTheReleaseLoadsToTheSameValues) {
  struct Saved {
    int index;
    const char* name;
    double plain;
    const char* text;
  } saved[] = {
      {0, "Base Freq", 432.1000000000001, "432.1"}, {1, "Isochronic", 7.83, "7.83"},
      {2, "Round", 100, "100"},                     {3, "Wave", 6, "Gold. Triangle"},
      {4, "Pan", -37, "-37"},                       {5, "Golden iso", 1, "On"},
      {6, "Isochronic", 0, "Off"},                  {7, "Play Anyway", 1, "Yes"},
      {8, "Fade", 2500, "2500"},                    {9, "Volume", 80, "80"},
      {10, "LFO1 Target", 4, "Pan"},                {11, "LFO1 Wave", 3, "Saw Flip"},
      {12, "LFO1 Sync", 0, "No"},                   {13, "LFO1 Rate", 18, "2/1"},
      {14, "LFO1 Rate", 750, "750"},                {15, "LFO1 Depth", 100, "100"},
      {16, "LFO1 Start", 25, "25"},                 {17, "LFO2 Target", 5, "Volume"},
      {18, "LFO2 Wave", 4, "Square"},               {19, "LFO2 Sync", 1, "Yes"},
      {20, "LFO2 Rate", 11, "1/4D"},                {21, "LFO2 Rate", 12345, "12345"},
      {22, "LFO2 Depth", 50, "50"},                 {23, "LFO2 Start", 60, "60"},
      {24, "LFO's Sync", 0, "No"},
  };
  StateChunk chunk = chunkOf(kReleaseState, sizeof kReleaseState);
  CLS_ONDIVOX plug;
  ASSERT_EQ(plug.LoadState(chunk, 0), 200);
  for (const Saved& row : saved) {
    const IParamEntry* p = plug.Param(row.index);
    EXPECT_STREQ(p->Name(), row.name) << row.index;
    EXPECT_EQ(p->value, row.plain) << row.name << " " << row.index;
    EXPECT_EQ(Format(p, p->value), row.text) << row.name << " " << row.index;
  }
  // Saved again, it is the same file.
  StateChunk again;
  ASSERT_TRUE(plug.SaveState(again));
  ASSERT_EQ(again.Size(), chunk.Size());
  EXPECT_EQ(std::memcmp(again.Data(), chunk.Data(), 200), 0);
}

// What a host's generic editor shows for a new instance: value and unit.
TEST(ParameterSet, ANewInstanceShowsItsDefaults) {
  const char* const shown[kNumParams] = {
      "200.0 Hz", "4.00 Hz", "75 %", "Sine", "0 %",                  // 0-4
      "Off", "On", "No", "1000 ms", "90 %",                          // 5-9
      "No Assign", "Sine", "Yes", "1/1", "2000 ms", "90 %", "0 %",   // LFO 1
      "No Assign", "Sine", "Yes", "1/1", "2000 ms", "90 %", "0 %",   // LFO 2
      "Yes",
  };
  CLS_ONDIVOX plug;
  ASSERT_EQ(plug.ParamCount(), kNumParams);
  for (int i = 0; i < kNumParams; ++i) {
    const IParamEntry* p = plug.Param(i);
    std::string text = Format(p, p->value);
    if (p->Label()[0]) text += std::string(" ") + p->Label();
    EXPECT_EQ(text, shown[i]) << i << " " << p->Name();
  }
}

TEST(ParameterSet, PlainAndNormalisedValuesRoundTrip) {
  CLS_ONDIVOX plug;
  struct Case {
    int index;
    double plain, normalised;
  } cases[] = {
      {kBaseFreq, 20, 0},         {kBaseFreq, 20000, 1},     {kBaseFreq, 432.1000000000001, 0.14361624429578163},
      {kIsoRate, 0.01, 0},        {kIsoRate, 256.005, 0.5},  {kIsoRate, 512, 1},
      {kPan, -100, 0},            {kPan, 0, 0.5},            {kPan, 100, 1},
      {kFade, 1, 0},              {kFade, 90000, 1},         {kVolume, 90, 0.9},
      {kWave, 7, 1},              {kLfo1RateNote, 15, 0.5},  {kLfo2RateNote, 30, 1},
      {kLfo1RateMs, 60, 0},       {kLfo2RateMs, 16045, 0.5}, {kLfo2RateMs, 64000, 1},
  };
  for (const Case& c : cases) {
    const IParamEntry* p = plug.Param(c.index);
    EXPECT_NEAR(p->PlainToNormalized(c.plain), c.normalised, 1e-12) << c.index << " " << c.plain;
    EXPECT_NEAR(p->NormalizedToPlain(c.normalised), c.plain, 1e-9 * std::fabs(c.plain) + 1e-12) << c.index;
  }
  // Plain values beyond the range are held at its ends.
  EXPECT_EQ(plug.Param(kBaseFreq)->PlainToNormalized(-5), 0.0);
  EXPECT_EQ(plug.Param(kPan)->PlainToNormalized(250), 1.0);
}

// What the host sends is stored snapped to the step (but for the one double
// parameter) and shown as such.
TEST(ParameterSet, NormalisedValuesFromTheHostAreStoredOnTheStep) {
  struct Case {
    int index;
    double normalised, stored;
    const char* text;
  } cases[] = {
      {kBaseFreq, 0.123, 322.27742, "322.3"},  // a double: kept as it comes
      {kPan, 0.3141, -37, "-37"},
      {kFade, 0.5, 45001, "45001"},           // 45000.5 rounds up
      {kWave, 0.5, 4, "Golden Sine"},  // 3.5 rounds up
      {kLfo1RateNote, 1.0, 30, "32/1"},
      {kLfo2RateMs, 0.7, 31391, "31391"},     // the curve: 0.7^2 of the range
      {kVolume, 1.5, 100, "100"},             // beyond 1: the maximum
  };
  for (const Case& c : cases) {
    CLS_ONDIVOX plug;
    IParamEntry* p = plug.Param(c.index);
    p->SetFromNormalized(c.normalised);
    EXPECT_NEAR(p->value, c.stored, 1e-9) << c.index;
    EXPECT_EQ(Format(p, p->value), c.text) << c.index;
    char text[IParamEntry::kFormatBufferSize];
    p->FormatValue(c.normalised > 1 ? 1 : c.normalised, true, text);
    EXPECT_STREQ(text, c.text) << c.index << ", shown from the normalised value";
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
