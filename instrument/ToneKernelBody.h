// The render kernel's source, compiled once per instruction set
// (ToneKernelSse2.cpp, ToneKernelAvx2.cpp): include it in one translation
// unit each, after nothing that could differ between them.
//
// A block is rendered in pieces of kPiece frames. The recurrences stay
// serial and in the order the generator defines them (LFO phases, the
// square LFO's smoothing, glides and ramps, the pulse phase, the carrier
// phase with its reset between pulses); each writes what the frames need
// into small arrays on the stack, and the sines and cosines of a whole
// piece, the gate and the output are then loops without branches that the
// compiler turns into vector code. The values are those of the frame-by-
// frame definition (Lfo::Step, CarrierSample), with the polynomial sine of
// FastSine.h in place of the C library's.
#pragma once

#include <cstdint>

#include "instrument/FastSine.h"
#include "instrument/ToneBlock.h"
#include "instrument/ToneKernel.h"
#include "instrument/Trig.h"

namespace {

constexpr int32_t kPiece = 64;
const double kSilence[kPiece] = {};

// What the serial steps hand to the vector loops, for one piece. Left at
// the natural alignment: a 64-bit Windows build cannot realign the stack
// for wider vectors.
struct Piece {
  double lfoPhase[2][kPiece];
  double lfoWave[2][kPiece];
  double pulsePhase[kPiece];
  double carrierInc[kPiece];
  double gate[kPiece];
  double carrierPhase[kPiece];
  double carrier[kPiece];
  float pan[kPiece];
  float gain[kPiece];
  float round[kPiece];
};

// The LFO's stateless wave at th with the C library's sine.
double LibmLfoWave(int wave, double th) {
  double w = 0.0;
  WithStatelessLfoWave(wave, [&](auto kind) { w = LfoWaveAt<decltype(kind)::value, LibmTrig>(th); });
  return w;
}

// An LFO on "Base Freq" or "Isochronic" sets an increment that the phase
// adds up over the whole render, so a last-bit difference in its sine would
// grow without bound: those keep the C library's sine.
bool LfoSetsAnIncrement(const Lfo& l) { return l.target == kTargetBaseFreq || l.target == kTargetIsoRate; }

// An LFO on "Round", "Pan" or "Volume" lands in a float, and a last-bit
// difference in its sine could round to the neighbouring float. The
// polynomial and the C library's sine differ by less than 1e-15 here (the
// waves stay within -1 ... 1 and the amplitudes at most 1), so when every
// value that close rounds to one float the polynomial's wave stands; the
// rare frames near a rounding tie take the C library's.
double FloatSafeLfoWave(const Lfo& l, double w, double th) {
  constexpr double kSlack = 2e-15;
  const double value = l.amplitude * w + l.centre;
  if (static_cast<float>(value - kSlack) == static_cast<float>(value + kSlack)) return w;
  return LibmLfoWave(l.wave, th);
}

// LFO j's phase at each frame of the piece (serial), then its stateless
// wave over them (vector). Answers the phase after the last frame.
double LfoPhases(const Lfo& l, int32_t count, double* phase, double* wave) {
  double th = l.phase;
  for (int32_t i = 0; i < count; ++i) {
    phase[i] = th;
    th = WrapPhase(th + l.increment);
  }
  if (LfoSetsAnIncrement(l)) {
    for (int32_t i = 0; i < count; ++i) wave[i] = LibmLfoWave(l.wave, phase[i]);
  } else {
    WithStatelessLfoWave(l.wave, [&](auto kind) {
      for (int32_t i = 0; i < count; ++i) wave[i] = LfoWaveAt<decltype(kind)::value, FastTrig>(phase[i]);
    });
  }
  return th;
}

// LFO j's wave at frame i: the square's smoothing runs here, in order.
double LfoWave(ToneBlock& b, const Piece& p, int j, int32_t i) {
  Lfo& l = *b.lfo[j];
  const double th = p.lfoPhase[j][i];
  if (l.wave == kLfoSquare) return SquareLfoStep(th, &l.squareState);
  return LfoSetsAnIncrement(l) ? p.lfoWave[j][i] : FloatSafeLfoWave(l, p.lfoWave[j][i], th);
}

// The serial part of each frame but the carrier phase: silence, the LFOs,
// the ramps, the pulse phase. Answers how many frames sound before the
// level has faded out (count when it has not).
int32_t StepVoice(ToneBlock& b, Piece& p, int32_t count) {
  ToneVoice& v = b.voice;
  const bool active[2] = {b.lfo[0]->active, b.lfo[1]->active};
  int32_t i = 0;
  for (; i < count; ++i) {
    if (ToneSilent(b)) break;
    for (int j = 0; j < 2; ++j)
      if (active[j]) ApplyLfo(b, j, LfoWave(b, p, j, i));
    StepRamps(v, b.ramps);
    p.pan[i] = v.pan;
    p.gain[i] = v.gain;
    p.round[i] = v.round;
    p.carrierInc[i] = v.carrierInc;
    p.pulsePhase[i] = v.pulsePhase;
    if (b.pulsing) v.pulsePhase = WrapPhase(v.pulsePhase + v.pulseInc);
  }
  return i;
}

void Gates(const ToneBlock& b, Piece& p, int32_t n) {
  if (!b.pulsing) {
    for (int32_t i = 0; i < n; ++i) p.gate[i] = 1.0;
    return;
  }
  const bool golden = b.goldenPulse;
  for (int32_t i = 0; i < n; ++i) p.gate[i] = PulseGate<FastTrig>(p.pulsePhase[i], p.round[i], golden);
}

void CarrierPhases(ToneBlock& b, Piece& p, int32_t n) {
  double phase = b.voice.carrierPhase;
  for (int32_t i = 0; i < n; ++i) {
    p.carrierPhase[i] = phase;
    phase = NextCarrierPhase(phase, p.carrierInc[i], p.gate[i]);
  }
  b.voice.carrierPhase = phase;
}

void CarrierWaves(const ToneBlock& b, Piece& p, int32_t n) {
  const GoldenWarp w = b.warp;
  WithCarrierWave(b.wave, [&](auto kind) {
    for (int32_t i = 0; i < n; ++i) p.carrier[i] = CarrierWaveAt<decltype(kind)::value, FastTrig>(p.carrierPhase[i], w);
  });
}

void Outputs(const ToneBlock& b, const Piece& p, int32_t offset, int32_t n) {
  const double* dryL = b.inL ? b.inL + offset : kSilence;
  const double* dryR = b.inR ? b.inR + offset : kSilence;
  double* outL = b.outL + offset;
  double* outR = b.outR + offset;
  for (int32_t i = 0; i < n; ++i) {
    outL[i] = ToneSample(p.carrier[i], p.gate[i], LeftSide(p.pan[i]), p.gain[i], dryL[i]);
    outR[i] = ToneSample(p.carrier[i], p.gate[i], RightSide(p.pan[i]), p.gain[i], dryR[i]);
  }
}

void PassInput(const ToneBlock& b, int32_t from) {
  for (int32_t i = from; i < b.frames; ++i) {
    b.outL[i] = b.inL ? b.inL[i] : 0.0;
    b.outR[i] = b.inR ? b.inR[i] : 0.0;
  }
}

// Frames [offset, offset + count); answers how many sounded.
int32_t RenderPiece(ToneBlock& b, int32_t offset, int32_t count) {
  Piece p;
  double lfoPhaseAfter[2] = {};
  for (int j = 0; j < 2; ++j)
    if (b.lfo[j]->active) lfoPhaseAfter[j] = LfoPhases(*b.lfo[j], count, p.lfoPhase[j], p.lfoWave[j]);
  const int32_t n = StepVoice(b, p, count);
  // Frames after the fade-out did not happen: the LFOs stop where it began.
  for (int j = 0; j < 2; ++j)
    if (b.lfo[j]->active) b.lfo[j]->phase = n < count ? p.lfoPhase[j][n] : lfoPhaseAfter[j];
  Gates(b, p, n);
  CarrierPhases(b, p, n);
  CarrierWaves(b, p, n);
  Outputs(b, p, offset, n);
  return n;
}

void RenderToneBlock(ToneBlock& b) {
  for (int32_t offset = 0; offset < b.frames; offset += kPiece) {
    const int32_t count = b.frames - offset < kPiece ? b.frames - offset : kPiece;
    const int32_t sounding = RenderPiece(b, offset, count);
    if (sounding < count) {
      PassInput(b, offset + sounding);
      return;
    }
  }
}

void FastSines(const double* x, double* y, int n) {
  for (int i = 0; i < n; ++i) y[i] = FastSin(x[i]);
}

void FastCosines(const double* x, double* y, int n) {
  for (int i = 0; i < n; ++i) y[i] = FastCos(x[i]);
}

}  // namespace
