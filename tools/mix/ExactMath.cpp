#include "tools/mix/ExactMath.h"

namespace {

constexpr double kLn2 = 0.69314718055994530942;
constexpr double kLn10 = 2.30258509299404568402;

}  // namespace

double ExactExp(double x) {
  // e^x = 2^k * e^r with |r| <= ln2 / 2, and e^r by its series.
  const double scaled = x / kLn2;
  const long k = static_cast<long>(scaled < 0 ? scaled - 0.5 : scaled + 0.5);
  const double r = x - static_cast<double>(k) * kLn2;
  double term = 1.0, sum = 1.0;
  for (int n = 1; n < 20; ++n) {
    term = term * r / n;
    sum += term;
  }
  double power = 1.0;
  for (long i = 0; i < (k < 0 ? -k : k); ++i) power *= 2.0;
  return k < 0 ? sum / power : sum * power;
}

double ExactSin(double x) {
  double term = x, sum = x;
  for (int n = 1; n < 12; ++n) {
    term = -term * x * x / ((2 * n) * (2 * n + 1));
    sum += term;
  }
  return sum;
}

double ExactCos(double x) {
  double term = 1.0, sum = 1.0;
  for (int n = 1; n < 12; ++n) {
    term = -term * x * x / ((2 * n - 1) * (2 * n));
    sum += term;
  }
  return sum;
}

double DecibelsToGain(double decibels) { return decibels == 0.0 ? 1.0 : ExactExp(decibels * (kLn10 / 20.0)); }
