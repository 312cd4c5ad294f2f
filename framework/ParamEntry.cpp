#include "framework/ParamEntry.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

void CopyText(char* dest, const char* src, int size) {
  if (size <= 0) return;
  if (!src) src = "";
  std::size_t n = std::strlen(src);
  if (n > static_cast<std::size_t>(size - 1)) n = size - 1;
  std::memcpy(dest, src, n);
  dest[n] = '\0';
}

namespace {

int PrecisionForStep(double step) {
  int precision = 0;
  double s = step;
  while (s != std::floor(s) && precision < 6) {
    ++precision;
    s *= 10.0;
  }
  return precision;
}

// Round half away from zero, truncating toward zero. Out-of-range and NaN
// inputs saturate instead of overflowing the conversion.
int RoundAway(double v) {
  double r = v >= 0 ? v + 0.5 : v - 0.5;
  if (!(r > -2147483648.0)) return r != r ? 0 : INT_MIN;
  if (r >= 2147483647.0) return INT_MAX;
  return static_cast<int>(r);
}

}  // namespace

void IParamEntry::DefineDouble(const char* nameText, double defaultVal, double minVal, double maxVal,
                               double stepVal, const char* labelText) {
  if (kind == kKindNone) kind = kKindDouble;
  CopyText(name, nameText, kTextSize);
  CopyText(label, labelText, kTextSize);
  min = minVal;
  value = defaultVal;
  defaultValue = defaultVal;
  max = maxVal >= minVal + stepVal ? maxVal : minVal + stepVal;
  step = stepVal;
  displayPrecision = PrecisionForStep(stepVal);
}

void IParamEntry::DefineInt(const char* nameText, int defaultVal, int minVal, int maxVal,
                            const char* labelText) {
  if (kind == kKindNone) kind = kKindInt;
  DefineDouble(nameText, defaultVal, minVal, maxVal, 1.0, labelText);
}

void IParamEntry::DefineEnum(const char* nameText, int defaultVal, int count, const char* labelText) {
  if (kind == kKindNone) kind = kKindEnum;
  DefineDouble(nameText, defaultVal, 0, count - 1, 1.0, labelText);
}

void IParamEntry::SetCurve(double exponent) {
  if (exponent != 0.0) curve = exponent;
}

void IParamEntry::AddValueText(int v, const char* text) {
  ValueText entry;
  entry.value = v;
  CopyText(entry.text, text, kTextSize);
  valueTexts.push_back(entry);
}

void IParamEntry::SetGroup(const char* text) { CopyText(group, text, kTextSize); }

const char* IParamEntry::FindValueText(int v) const {
  for (const ValueText& entry : valueTexts)
    if (entry.value == v) return entry.text;
  return "";
}

bool IParamEntry::ValueForText(const char* text, double* out) const {
  if (!text) return false;
  for (const ValueText& entry : valueTexts) {
    if (std::strcmp(entry.text, text) == 0) {
      if (out) *out = entry.value;
      return true;
    }
  }
  return false;
}

bool IParamEntry::ReadTypedValue(const char* text, double* plain) const {
  if (!text || !plain) return false;
  if (ValueForText(text, plain)) return true;
  char* end = nullptr;
  double v = std::strtod(text, &end);
  if (end == text || !std::isfinite(v)) return false;
  *plain = negateDisplay ? -v : v;
  return true;
}

bool IParamEntry::ParseText(const char* text, double* plain) const {
  double v = 0.0;
  if (!ReadTypedValue(text, &v) || v < min || v > max) return false;
  *plain = v;
  return true;
}

double IParamEntry::NormalizedToPlain(double x) const {
  return std::pow(x, curve) * (max - min) + min;
}

double IParamEntry::PlainToNormalized(double plain) const {
  double p = plain < min ? min : (plain > max ? max : plain);
  return std::pow((p - min) / (max - min), 1.0 / curve);
}

void IParamEntry::SetFromNormalized(double x) { value = StoredPlain(x); }

double IParamEntry::StoredPlain(double x) const {
  double v = NormalizedToPlain(x);
  if (kind != kKindDouble) v = std::floor(v / step + 0.5) * step;
  // Held to the range at both ends (NaN, as ever, gives the maximum).
  return !(v < max) ? max : (v < min ? min : v);
}

void IParamEntry::FormatValue(double v, bool isNormalized, char* text) const {
  if (isNormalized) v = NormalizedToPlain(v);
  int r = RoundAway(v);
  for (const ValueText& entry : valueTexts) {
    if (entry.value != r) continue;
    if (entry.text[0]) {
      CopyText(text, entry.text, kFormatBufferSize);
      return;
    }
    break;
  }
  if (v == 0.0) {
    CopyText(text, "0", kFormatBufferSize);
  } else if (displayPrecision == 0) {
    std::snprintf(text, kFormatBufferSize, "%d", negateDisplay ? -r : r);
  } else {
    std::snprintf(text, kFormatBufferSize, "%.*f", displayPrecision, negateDisplay ? -v : v);
  }
}
