// Sine and cosine for the render kernels: straight-line code with no table
// and no branch, so a loop over an array of phases compiles to vector
// instructions (SSE2, or AVX2 with FMA where the translation unit allows it).
//
// Method: x is reduced by the nearest multiple n of pi (cosine: x + pi/2) to y in [-pi/2, pi/2], with pi/2 split in three parts (33, 33 and 53
// bits) so that m * part is exact and y keeps its relative accuracy even when
// x lies within a few ulps of a multiple of pi; then sin y = y + y^3 P(y^2),
// with P of degree 7 (y^17), a Chebyshev economisation of the Taylor series
// to y^25; the sign is flipped for odd n by moving n's lowest bit into it.
//
// Error bound, for |x| <= 2^19 (the engine's arguments stay below 10):
// - the polynomial's own error is below 1.3e-18 absolute on |y| <= pi/2
//   (and falls like |y|^3 towards 0, so small results keep their relative
//   accuracy);
// - the reduction loses at most half an ulp of y plus 1e-25;
// - rounding in the evaluation adds up to two ulps of the result where the
//   result is near +-1 (y is then near pi/2, whose ulp is twice the
//   result's), well under one elsewhere.
// So every result is within 2.5 ulps and 2.5e-16 absolute of the true
// value. Measured against long double over 2 * 10^6 points of [0, 10] and
// the doubles nearest each multiple of pi/2 there: at most 2.06 ulps and
// 2.3e-16 (SSE2), 1.9 ulps and 2.2e-16 (FMA). Results differ from the C
// library's in the last bits now and then; they never differ in sign, and
// sin(0) is exactly 0.
//
// Everything here has internal linkage on purpose: each kernel translation
// unit is compiled for its own instruction set and must keep its own copy,
// never one the linker picked from the other unit.
#pragma once

#include <cstdint>

namespace {

namespace fast_sine {

// pi/2 in three parts: each part has at most 33 significant bits except the
// last, so m * part is exact for |m| < 2^20.
constexpr double kHalfPi1 = 0x1.921fb54400000p+0;
constexpr double kHalfPi2 = 0x1.0b4611a600000p-34;
constexpr double kHalfPi3 = 0x1.3198a2e037073p-69;
constexpr double kInvPi = 0x1.45f306dc9c883p-2;
// Adding 1.5 * 2^52 to a double below 2^51 rounds it to an integer, kept in
// the sum's low mantissa bits; subtracting it again gives the integer.
constexpr double kRoundMagic = 0x1.8p52;

// P(t) for sin y = y + y^3 P(y^2), |y| <= pi/2.
constexpr double kC3 = -0x1.5555555555555p-3;
constexpr double kC5 = 0x1.1111111111107p-7;
constexpr double kC7 = -0x1.a01a01a018ab1p-13;
constexpr double kC9 = 0x1.71de3a54569e5p-19;
constexpr double kC11 = -0x1.ae6455a1f1066p-26;
constexpr double kC13 = 0x1.612401631525ap-33;
constexpr double kC15 = -0x1.ae513b0612833p-41;
constexpr double kC17 = 0x1.89a4c997fc576p-49;

[[gnu::always_inline]] inline double MulAdd(double a, double b, double c) {
#ifdef __FMA__
  return __builtin_fma(a, b, c);
#else
  return a * b + c;
#endif
}

// sin(x + Q * pi/2) for Q = 0 (sine) or 1 (cosine).
template <int Q>
[[gnu::always_inline]] inline double SinQuarterShifted(double x) {
  constexpr double q = Q;
  // t holds n = round(x / pi + q / 2) in its low mantissa bits (the half
  // cannot join the magic number: it would round away).
  const double t = Q == 0 ? MulAdd(x, kInvPi, kRoundMagic) : MulAdd(x, kInvPi, 0.5) + kRoundMagic;
  const double n = t - kRoundMagic;
  const double m = n + n - q;
  double y = MulAdd(-m, kHalfPi1, x);
  y = MulAdd(-m, kHalfPi2, y);
  y = MulAdd(-m, kHalfPi3, y);
  const double yy = y * y;
  double p = MulAdd(kC17, yy, kC15);
  p = MulAdd(p, yy, kC13);
  p = MulAdd(p, yy, kC11);
  p = MulAdd(p, yy, kC9);
  p = MulAdd(p, yy, kC7);
  p = MulAdd(p, yy, kC5);
  p = MulAdd(p, yy, kC3);
  const double s = MulAdd(y * yy, p, y);
  // sin(y + n pi) = (-1)^n sin y: n's lowest bit becomes the sign bit.
  const uint64_t sign = __builtin_bit_cast(uint64_t, t) << 63;
  return __builtin_bit_cast(double, __builtin_bit_cast(uint64_t, s) ^ sign);
}

}  // namespace fast_sine

inline double FastSin(double x) { return fast_sine::SinQuarterShifted<0>(x); }
inline double FastCos(double x) { return fast_sine::SinQuarterShifted<1>(x); }

// The polynomial sine and cosine as a trigonometry policy for the shared
// wave formulas (see Trig.h for the C library's).
struct FastTrig {
  static double Sin(double x) { return FastSin(x); }
  static double Cos(double x) { return FastCos(x); }
};

}  // namespace
