// What the machine can do for a program's arithmetic, as tight loops beside
// the engine: the same oscillators, gate, pan, gain and mix per frame with
// none of the engine's bookkeeping (no parameters, ramps, LFO targets or
// silence checks). One loop calls the C library's sine and cosine frame by
// frame; the other keeps the phases serial and hands the sines and cosines
// of each 128-frame piece to a render kernel's vector functions, and is
// built once per instruction set with that kernel's flags.
#pragma once

#include "instrument/Phase.h"
#include "instrument/ToneKernel.h"

// Which arithmetic a program needs per frame.
struct LimitShape {
  bool goldenSine;  // the carrier is "Golden Sine" (a warped cosine), else "Sine"
  bool pulsed;      // the pulse gate (a sine) runs
  bool lfos;        // two sine LFOs drive pan and level
};

// Rates of a typical program at 48 kHz: a 200 Hz carrier pulsed at 4 Hz,
// LFOs of about 1.8 s and 2 s.
constexpr double kLimitCarrierInc = kTwoPi * 200.0 / 48000.0;
constexpr double kLimitPulseInc = kTwoPi * 4.0 / 48000.0;
constexpr double kLimitLfo1Inc = kTwoPi / 86400.0;
constexpr double kLimitLfo2Inc = kTwoPi / 96000.0;
constexpr float kLimitSteadyGain = 0.8f;

// LFO 1 drives pan, LFO 2 the level; the gate is a full half sine. Always
// inlined, as the kernels' helpers are: no out-of-line copy built for one
// instruction set may serve another.
[[gnu::always_inline]] inline float LimitPan(double w) { return static_cast<float>(w); }
[[gnu::always_inline]] inline float LimitGain(double w) { return static_cast<float>(0.25 * w + 0.5); }
[[gnu::always_inline]] inline double LimitGate(double psi, double s) { return psi < kPi ? s : -1.0; }

// The phases, carried on between calls.
struct LimitPhases {
  double carrier = 0.0, pulse = 0.0, lfo1 = 0.0, lfo2 = 1.0;
};

// The kernel loop as each instruction set's build makes it.
void RunLimitPiecesSse2(LimitPhases& p, const LimitShape& shape, const ToneKernel& kernel, const double* inL,
                        const double* inR, double* outL, double* outR, int n);
void RunLimitPiecesAvx2(LimitPhases& p, const LimitShape& shape, const ToneKernel& kernel, const double* inL,
                        const double* inR, double* outL, double* outR, int n);

// Frames of stereo output over a live input.
class LimitLoop {
 public:
  explicit LimitLoop(LimitShape shape) : shape_(shape) {}

  void RunLibm(const double* inL, const double* inR, double* outL, double* outR, int n);
  void RunKernel(const ToneKernel& kernel, const double* inL, const double* inR, double* outL, double* outR,
                 int n);

 private:
  LimitShape shape_;
  LimitPhases phases_;
};
