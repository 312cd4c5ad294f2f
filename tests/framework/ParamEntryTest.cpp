#include <gtest/gtest.h>

#include <cmath>

#include <string>

#include "framework/ParamEntry.h"

namespace {

std::string Format(const IParamEntry& p, double v, bool normalized) {
  char text[IParamEntry::kFormatBufferSize];
  p.FormatValue(v, normalized, text);
  return text;
}

TEST(ParamEntry, StartsUndefined) {
  IParamEntry p;
  EXPECT_EQ(p.kind, kKindNone);
  EXPECT_EQ(p.max, 1.0);
  EXPECT_EQ(p.step, 1.0);
  EXPECT_EQ(p.curve, 1.0);
  EXPECT_TRUE(p.canAutomate);
  EXPECT_STREQ(p.Name(), "");
}

TEST(ParamEntry, DisplayPrecisionFollowsTheStep) {
  struct Case {
    double step;
    int precision;
  } cases[] = {{0.01, 2}, {1.0, 0}, {0.125, 3}, {0.1, 1}, {1e-9, 6}, {2.5, 1}};
  for (const Case& c : cases) {
    IParamEntry p;
    p.DefineDouble("x", 0, 0, 10, c.step, "");
    EXPECT_EQ(p.displayPrecision, c.precision) << "step " << c.step;
  }
}

TEST(ParamEntry, DefineKeepsAnEarlierKindAndRaisesATooSmallMax) {
  IParamEntry p;
  p.DefineInt("n", 3, 5, 5, "");
  EXPECT_EQ(p.kind, kKindInt);
  EXPECT_EQ(p.max, 6.0);
  p.DefineDouble("n", 3, 0, 1, 0.5, "");
  EXPECT_EQ(p.kind, kKindInt);
  // The default is not clamped at definition time.
  IParamEntry q;
  q.DefineDouble("q", 50, 0, 10, 1, "");
  EXPECT_EQ(q.value, 50.0);
}

TEST(ParamEntry, CurveConversions) {
  IParamEntry p;
  p.DefineDouble("c", 0, 0, 100, 0.01, "");
  p.SetCurve(2.0);
  EXPECT_DOUBLE_EQ(p.NormalizedToPlain(0.5), 25.0);
  EXPECT_DOUBLE_EQ(p.PlainToNormalized(25.0), 0.5);
  EXPECT_DOUBLE_EQ(p.PlainToNormalized(-5.0), 0.0);
  EXPECT_DOUBLE_EQ(p.PlainToNormalized(500.0), 1.0);
  p.SetCurve(0.0);
  EXPECT_EQ(p.curve, 2.0);
}

TEST(ParamEntry, SetFromNormalizedSnapsIntegerKindsOnly) {
  IParamEntry i, d;
  i.DefineInt("i", 0, 0, 10, "");
  d.DefineDouble("d", 0, 0, 10, 0.01, "");
  i.SetFromNormalized(0.34);
  d.SetFromNormalized(0.34);
  EXPECT_EQ(i.value, 3.0);
  EXPECT_NEAR(d.value, 3.4, 1e-12);
  // Values from outside 0..1 stay in the range at both ends.
  i.SetFromNormalized(1.5);
  EXPECT_EQ(i.value, 10.0);
  d.SetFromNormalized(-0.5);
  EXPECT_EQ(d.value, 0.0);
  d.SetFromNormalized(std::nan(""));
  EXPECT_EQ(d.value, 10.0);
}

TEST(ParamEntry, FormatValue) {
  IParamEntry d;
  d.DefineDouble("d", 0, 0, 10, 0.01, "");
  EXPECT_EQ(Format(d, 0.5, true), "5.00");
  EXPECT_EQ(Format(d, 0.0, false), "0");
  EXPECT_EQ(Format(d, -0.0, false), "0");

  IParamEntry e;
  e.DefineEnum("e", 0, 4, "");
  e.AddValueText(0, "zero");
  e.AddValueText(1, "");
  e.AddValueText(3, "three");
  e.AddValueText(1, "shadowed");
  EXPECT_EQ(Format(e, 2.6, false), "three");
  EXPECT_EQ(Format(e, 2.0, false), "2");
  EXPECT_EQ(Format(e, 1.0, false), "1");  // an empty text stops the search
  EXPECT_EQ(Format(e, 0.0, false), "zero");

  IParamEntry n;
  n.DefineInt("n", 0, -10, 10, "");
  n.negateDisplay = true;
  EXPECT_EQ(Format(n, 4.0, false), "-4");
  EXPECT_EQ(Format(n, -2.5, false), "3");
  d.negateDisplay = true;
  EXPECT_EQ(Format(d, 1.25, false), "-1.25");
  // Values far outside any int do not overflow the rounding.
  EXPECT_FALSE(Format(n, 1e300, false).empty());
}

TEST(ParamEntry, ValueTextLookups) {
  IParamEntry e;
  e.DefineEnum("e", 0, 2, "");
  e.AddValueText(0, "Off");
  e.AddValueText(1, "On");
  double v = -1;
  EXPECT_TRUE(e.ValueForText("On", &v));
  EXPECT_EQ(v, 1.0);
  EXPECT_FALSE(e.ValueForText("on", &v));
  EXPECT_STREQ(e.FindValueText(1), "On");
  EXPECT_STREQ(e.FindValueText(7), "");
  EXPECT_EQ(e.ValueTextCount(), 2);
}

TEST(ParamEntry, LongTextsAreCutTo31Characters) {
  IParamEntry p;
  const std::string longName(40, 'x');
  p.DefineInt(longName.c_str(), 0, 0, 1, longName.c_str());
  p.AddValueText(0, longName.c_str());
  EXPECT_EQ(std::string(p.Name()), std::string(31, 'x'));
  EXPECT_EQ(std::string(p.Label()), std::string(31, 'x'));
  EXPECT_EQ(std::string(p.FindValueText(0)), std::string(31, 'x'));
}

}  // namespace
