// The render kernels' polynomial sine and cosine against long double, over
// the arguments the engine produces, through each kernel as it was built.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <vector>

#include "instrument/ToneKernel.h"

namespace {

// pi/2 in three doubles, as exact as long double can use it.
constexpr long double kHalfPi1 = 0x1.921fb54442d18p+0L;
constexpr long double kHalfPi2 = 0x1.1a62633145c07p-54L;
constexpr long double kHalfPi3 = -0x1.f1976b7ed8fbcp-110L;

// sin(x + q pi/2) to far more than double precision. Near a zero the
// library's long double may lose relative accuracy, so there the argument
// is reduced by hand and a short series finishes.
long double Reference(double x, int q) {
  const long double m = std::nearbyintl(x / (kHalfPi1 * 2.0L) + q * 0.5L) * 2.0L - q;
  const long double y = ((x - m * kHalfPi1) - m * kHalfPi2) - m * kHalfPi3;
  const long double sign = std::fmod(std::fabs((m + q) * 0.5L), 2.0L) >= 1.0L ? -1.0L : 1.0L;
  if (std::fabs(y) < 1e-4L) return sign * (y - y * y * y / 6.0L + y * y * y * y * y / 120.0L);
  return q == 0 ? std::sin(static_cast<long double>(x)) : std::cos(static_cast<long double>(x));
}

// The engine's arguments: 0 ... 10 densely, and around every multiple of
// pi/2 there the doubles nearest it, where results are smallest.
std::vector<double> Arguments() {
  std::vector<double> x;
  for (int i = 0; i <= 2000000; ++i) x.push_back(i * 5e-6);
  for (int k = 1; k <= 6; ++k) {
    double centre = k * 1.5707963267948966;
    for (int step = -50; step <= 50; ++step) {
      double v = centre;
      for (int s = 0; s < std::abs(step); ++s) v = std::nextafter(v, step < 0 ? 0.0 : 20.0);
      x.push_back(v);
      x.push_back(centre + step * 1e-9);
    }
  }
  return x;
}

void ExpectWithinBound(void (*f)(const double*, double*, int), int q, const char* kernel) {
  const std::vector<double> x = Arguments();
  std::vector<double> y(x.size());
  f(x.data(), y.data(), static_cast<int>(x.size()));
  double worstUlps = 0.0, worstAbs = 0.0, at = 0.0;
  for (std::size_t i = 0; i < x.size(); ++i) {
    const long double ref = Reference(x[i], q);
    const long double err = std::fabs(y[i] - ref);
    // An ulp of the true result (at least that of the smallest normal).
    const double ulp = std::ldexp(1.0, std::max(std::ilogb(static_cast<double>(ref)), DBL_MIN_EXP - 1) - 52);
    ASSERT_FALSE(ref != 0.0L && y[i] != 0.0 && (y[i] < 0) != (ref < 0)) << kernel << " sign at " << x[i];
    if (err / ulp > worstUlps) worstUlps = static_cast<double>(err / ulp), at = x[i];
    worstAbs = std::max(worstAbs, static_cast<double>(err));
  }
  EXPECT_LE(worstUlps, 2.5) << kernel << (q ? " cos" : " sin") << " at " << at;
  EXPECT_LE(worstAbs, 2.5e-16) << kernel << (q ? " cos" : " sin");
}

TEST(FastSine, EachKernelWithinItsErrorBound) {
  std::vector<const ToneKernel*> kernels = {&Sse2ToneKernel()};
  if (const ToneKernel* avx2 = Avx2ToneKernel()) kernels.push_back(avx2);
  for (const ToneKernel* k : kernels) {
    ExpectWithinBound(k->sines, 0, k->name);
    ExpectWithinBound(k->cosines, 1, k->name);
    // The carrier restarts at phase 0 between pulses: that sample is silent.
    const double zero = 0.0;
    double s = 1.0;
    k->sines(&zero, &s, 1);
    EXPECT_EQ(s, 0.0) << k->name;
  }
}

}  // namespace
