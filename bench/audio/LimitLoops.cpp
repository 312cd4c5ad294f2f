#include "bench/audio/LimitLoops.h"

#include <cmath>

#include "instrument/CarrierWave.h"
#include "instrument/Phase.h"

namespace {

// Rates of a typical program at 48 kHz: a 200 Hz carrier pulsed at 4 Hz,
// LFOs of about 1.8 s and 2 s.
constexpr double kCarrierInc = kTwoPi * 200.0 / 48000.0;
constexpr double kPulseInc = kTwoPi * 4.0 / 48000.0;
constexpr double kLfo1Inc = kTwoPi / 86400.0;
constexpr double kLfo2Inc = kTwoPi / 96000.0;
constexpr float kRound = 1.0f;
constexpr double kTiny = 1e-24;
constexpr int kPiece = 128;
// "Golden Sine" warp (see GoldenWarpFor).
const GoldenWarp kWarp = {0.5 / 0.618, 0.5 / 0.382, (1.0 - 2.0 * 0.618) * kPi / 0.382};

double Warped(double phi) { return phi >= kGoldenThreshold ? phi * kWarp.b + kWarp.c : phi * kWarp.a; }
float PanOf(double w) { return static_cast<float>(w); }
float GainOf(double w) { return static_cast<float>(0.25 * w + 0.5); }
double GateOf(double psi, double s) { return psi < kPi ? kRound * s + (1.0f - kRound) : -1.0; }
double Mix(double s, double g, double side, float gain, double dry) {
  return g > kTiny ? side * (s * g) * gain + dry : dry;
}

}  // namespace

void LimitLoop::RunLibm(const double* inL, const double* inR, double* outL, double* outR, int n) {
  for (int i = 0; i < n; ++i) {
    float pan = 0.0f, gain = 0.8f;
    if (shape_.lfos) {
      pan = PanOf(std::sin(lfo1_));
      gain = GainOf(std::sin(lfo2_));
      lfo1_ = WrapPhase(lfo1_ + kLfo1Inc);
      lfo2_ = WrapPhase(lfo2_ + kLfo2Inc);
    }
    double g = 1.0;
    if (shape_.pulsed) {
      g = GateOf(pulse_, std::sin(pulse_));
      pulse_ = WrapPhase(pulse_ + kPulseInc);
    }
    const double s = shape_.goldenSine ? std::cos(Warped(carrier_)) : std::sin(carrier_);
    outL[i] = Mix(s, g, 1.0 - pan, gain, inL[i]);
    outR[i] = Mix(s, g, pan + 1.0, gain, inR[i]);
    carrier_ = g > kTiny ? WrapPhase(carrier_ + kCarrierInc) : 0.0;
  }
}

void LimitLoop::RunKernel(const ToneKernel& kernel, const double* inL, const double* inR, double* outL,
                          double* outR, int n) {
  double lfo1[kPiece], lfo2[kPiece], w1[kPiece], w2[kPiece], pulse[kPiece], gate[kPiece];
  double carrier[kPiece], arg[kPiece], s[kPiece];
  float pan[kPiece], gain[kPiece];
  for (int offset = 0; offset < n; offset += kPiece) {
    const int count = n - offset < kPiece ? n - offset : kPiece;
    if (shape_.pulsed) {
      for (int i = 0; i < count; ++i) {
        pulse[i] = pulse_;
        pulse_ = WrapPhase(pulse_ + kPulseInc);
      }
    }
    if (shape_.lfos) {
      for (int i = 0; i < count; ++i) {
        lfo1[i] = lfo1_;
        lfo2[i] = lfo2_;
        lfo1_ = WrapPhase(lfo1_ + kLfo1Inc);
        lfo2_ = WrapPhase(lfo2_ + kLfo2Inc);
      }
      kernel.sines(lfo1, w1, count);
      kernel.sines(lfo2, w2, count);
      for (int i = 0; i < count; ++i) {
        pan[i] = PanOf(w1[i]);
        gain[i] = GainOf(w2[i]);
      }
    } else {
      for (int i = 0; i < count; ++i) {
        pan[i] = 0.0f;
        gain[i] = 0.8f;
      }
    }
    if (shape_.pulsed) {
      kernel.sines(pulse, s, count);
      for (int i = 0; i < count; ++i) gate[i] = GateOf(pulse[i], s[i]);
    } else {
      for (int i = 0; i < count; ++i) gate[i] = 1.0;
    }
    if (shape_.pulsed) {
      for (int i = 0; i < count; ++i) {
        carrier[i] = carrier_;
        carrier_ = gate[i] > kTiny ? WrapPhase(carrier_ + kCarrierInc) : 0.0;
      }
    } else {
      for (int i = 0; i < count; ++i) {
        carrier[i] = carrier_;
        carrier_ = WrapPhase(carrier_ + kCarrierInc);
      }
    }
    if (shape_.goldenSine) {
      for (int i = 0; i < count; ++i) arg[i] = Warped(carrier[i]);
      kernel.cosines(arg, s, count);
    } else {
      kernel.sines(carrier, s, count);
    }
    for (int i = 0; i < count; ++i) {
      outL[offset + i] = Mix(s[i], gate[i], 1.0 - pan[i], gain[i], inL[offset + i]);
      outR[offset + i] = Mix(s[i], gate[i], pan[i] + 1.0, gain[i], inR[offset + i]);
    }
  }
}
