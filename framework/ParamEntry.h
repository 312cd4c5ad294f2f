// IParamEntry: one automatable parameter of the plug-in.
//
// Holds a typed, ranged plain value; the host sees it normalised (0..1)
// through an exponent curve. Texts are fixed-size (31 characters + NUL).
//
//   DefineDouble/DefineInt/DefineEnum  define once, from the instrument
//   NormalizedToPlain/PlainToNormalized conversions, no step snapping
//   SetFromNormalized                  host/editor writes (snaps non-double kinds)
//   FormatValue                        display text (value texts or numbers)
#pragma once

#include <vector>

enum IParamKind : int { kKindNone = 0, kKindBool = 1, kKindInt = 2, kKindEnum = 3, kKindDouble = 4 };

struct ValueText {
  int value = 0;
  char text[32] = {};
};

class IParamEntry {
 public:
  static constexpr int kTextSize = 32;
  static constexpr int kFormatBufferSize = 128;

  void DefineDouble(const char* name, double defaultValue, double min, double max, double step,
                    const char* label);
  void DefineInt(const char* name, int defaultValue, int min, int max, const char* label);
  void DefineEnum(const char* name, int defaultValue, int count, const char* label);
  void SetCurve(double exponent);
  void AddValueText(int value, const char* text);

  const char* Name() const { return name; }
  const char* Label() const { return label; }
  const char* Group() const { return group; }
  void SetGroup(const char* text);

  int ValueTextCount() const { return static_cast<int>(valueTexts.size()); }
  const ValueText& ValueTextAt(int i) const { return valueTexts[i]; }
  const char* FindValueText(int value) const;
  bool ValueForText(const char* text, double* out) const;
  // A typed value: one of the value texts, or a leading finite number as the
  // display shows it (units after it are ignored), in any range. Answers
  // false, and leaves *plain alone, for anything else.
  bool ReadTypedValue(const char* text, double* plain) const;
  // The same, held to the parameter's range: false outside it.
  bool ParseText(const char* text, double* plain) const;

  double NormalizedToPlain(double x) const;
  double PlainToNormalized(double plain) const;
  double NormalizedValue() const { return PlainToNormalized(value); }
  void SetFromNormalized(double x);
  // The plain value SetFromNormalized (x) stores: snapped and in range.
  double StoredPlain(double x) const;
  // Writes the display text of v (plain, or normalised when isNormalized)
  // into text, which holds at least kFormatBufferSize characters.
  void FormatValue(double v, bool isNormalized, char* text) const;

  int kind = kKindNone;
  double value = 0.0;
  double min = 0.0;
  double max = 1.0;
  double step = 1.0;
  double curve = 1.0;
  double defaultValue = 0.0;
  int displayPrecision = 0;
  char name[kTextSize] = {};
  char label[kTextSize] = {};
  char group[kTextSize] = {};
  bool negateDisplay = false;
  bool canAutomate = true;

 private:
  std::vector<ValueText> valueTexts;
};

// Copies at most size - 1 characters and always terminates.
void CopyText(char* dest, const char* src, int size);
