// What the machine can do for a program's arithmetic, as tight loops beside
// the engine: the same oscillators, gate, pan, gain and mix per frame with
// none of the engine's bookkeeping (no parameters, ramps, LFO targets or
// silence checks). One loop calls the C library's sine and cosine frame by
// frame; the other keeps the phases serial and hands the sines and cosines
// of each 128-frame piece to a render kernel's vector functions.
#pragma once

#include "instrument/ToneKernel.h"

// Which arithmetic a program needs per frame.
struct LimitShape {
  bool goldenSine;  // the carrier is "Golden Sine" (a warped cosine), else "Sine"
  bool pulsed;      // the pulse gate (a sine) runs
  bool lfos;        // two sine LFOs drive pan and level
};

// Frames of stereo output over a live input; the phases carry on between
// calls.
class LimitLoop {
 public:
  explicit LimitLoop(LimitShape shape) : shape_(shape) {}

  void RunLibm(const double* inL, const double* inR, double* outL, double* outR, int n);
  void RunKernel(const ToneKernel& kernel, const double* inL, const double* inR, double* outL, double* outR,
                 int n);

 private:
  LimitShape shape_;
  double carrier_ = 0.0, pulse_ = 0.0, lfo1_ = 0.0, lfo2_ = 1.0;
};
