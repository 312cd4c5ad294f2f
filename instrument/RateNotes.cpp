#include "instrument/RateNotes.h"

#include <cmath>

#include "instrument/OndivoxParams.h"
#include "instrument/Phase.h"

namespace {

constexpr double kThird = 0.3333333333333333;

// note(a): a power of two per third of an octave, scaled for triplets and
// dotted values. Computed in the precision T of its caller.
template <typename T>
T NoteFactor(int a) {
  switch (a % 3) {
    case 0:
      return std::pow(T(2), T(a * kThird));
    case 1:
      return std::pow(T(2), T((a + 2) * kThird)) * T(2) * T(kThird);
    default:
      return std::pow(T(2), T((a - 2) * kThird)) * T(3) * T(0.5);
  }
}

int ClampEntry(int entry) { return entry < 0 ? 0 : (entry >= kNumRateNotes ? kNumRateNotes - 1 : entry); }

float FloatIncrement(int entry, float samplesPerWholeNote) {
  float length = NoteFactor<float>(entry) * 0.03125f;
  return float(kTwoPi) / length / samplesPerWholeNote;
}

}  // namespace

float NoteLengthWholeNotes(int entry) {
  return static_cast<float>(NoteFactor<double>(ClampEntry(entry)) * 0.03125);
}

double SyncedIncrement(int entry, double samplesPerWholeNote) {
  return kTwoPi / double(NoteLengthWholeNotes(entry)) / samplesPerWholeNote;
}

int NearestNoteEntry(double x, double samplesPerWholeNote) {
  const float spwn = static_cast<float>(samplesPerWholeNote);
  float previous = 0.0f;
  for (int i = 0; i < kNumRateNotes; ++i) {
    float g = FloatIncrement(i, spwn);
    if (x >= g) {
      if (i == 0) return 0;
      return 2.0 * x <= double(g) + double(previous) ? i : i - 1;
    }
    previous = g;
  }
  return kNumRateNotes - 1;
}
