// ExactMath: the few transcendental functions the mix needs, computed with
// the four basic operations only, so every platform gets the same bits
// (the C libraries' exp, sin and cos may differ in the last one).
#pragma once

// e^x, within a few units in the last place, for |x| up to about 700.
double ExactExp(double x);
// sin x and cos x for x in [0, pi/2].
double ExactSin(double x);
double ExactCos(double x);
// 10^(dB/20).
double DecibelsToGain(double decibels);
