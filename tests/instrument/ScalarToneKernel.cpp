#include "ScalarToneKernel.h"

#include <cmath>

#include "instrument/Trig.h"

namespace {

void RenderFrameByFrame(ToneBlock& b) {
  ToneVoice& v = b.voice;
  for (int32_t i = 0; i < b.frames; ++i) {
    const double dryL = b.inL ? b.inL[i] : 0.0;
    const double dryR = b.inR ? b.inR[i] : 0.0;
    if (ToneSilent(b.gainTarget, v)) {
      b.outL[i] = dryL;
      b.outR[i] = dryR;
      continue;
    }
    for (int j = 0; j < 2; ++j) {
      Lfo& l = *b.lfo[j];
      if (!l.active) continue;
      const double value = LfoValue(l, l.Step());
      DriveLfoTarget(v, l.target, value, b.gainTarget);
      if (LfoWrites(l.target, b.gainTarget)) {
        b.lfoValue[j] = static_cast<float>(value);
        b.lfoValueSet[j] = true;
      }
    }
    StepRamps(v, b.ramps);
    const double s = CarrierSample(b.wave, v.carrierPhase, b.warp);
    double g = 1.0;
    if (b.pulsing) {
      g = PulseGate<LibmTrig>(v.pulsePhase, v.round, b.goldenPulse);
      v.pulsePhase = WrapPhase(v.pulsePhase + v.pulseInc);
    }
    b.outL[i] = ToneSample(s, g, LeftSide(v.pan), v.gain, dryL);
    b.outR[i] = ToneSample(s, g, RightSide(v.pan), v.gain, dryR);
    v.carrierPhase = NextCarrierPhase(v.carrierPhase, v.carrierInc, g);
  }
}

void LibmSines(const double* x, double* y, int n) {
  for (int i = 0; i < n; ++i) y[i] = std::sin(x[i]);
}

void LibmCosines(const double* x, double* y, int n) {
  for (int i = 0; i < n; ++i) y[i] = std::cos(x[i]);
}

}  // namespace

const ToneKernel& ScalarToneKernel() {
  static const ToneKernel kernel = {"scalar", &RenderFrameByFrame, &LibmSines, &LibmCosines};
  return kernel;
}
