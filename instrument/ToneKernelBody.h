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

constexpr int32_t kPiece = 128;
const double kSilence[kPiece] = {};

// What the serial steps hand to the vector loops, for one piece. Left at
// the natural alignment: a 64-bit Windows build cannot realign the stack
// for wider vectors.
struct Piece {
  double lfoPhase[2][kPiece];
  double lfoValue[2][kPiece];
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

// Both LFOs' phases at each frame of the piece: the one serial loop for
// both, so their additions overlap. Answers each phase after the piece.
void LfoPhases(const ToneBlock& b, Piece& p, int32_t count, double after[2]) {
  double th0 = b.lfo[0]->phase, th1 = b.lfo[1]->phase;
  const double inc0 = b.lfo[0]->increment, inc1 = b.lfo[1]->increment;
  for (int32_t i = 0; i < count; ++i) {
    p.lfoPhase[0][i] = th0;
    p.lfoPhase[1][i] = th1;
    th0 = WrapPhase(th0 + inc0);
    th1 = WrapPhase(th1 + inc1);
  }
  after[0] = th0;
  after[1] = th1;
}

// An LFO on "Base Freq" or "Isochronic" sets an increment that the phase
// adds up over the whole render, so a last-bit difference in its sine would
// grow without bound: those keep the C library's sine.
bool LfoSetsAnIncrement(const Lfo& l) { return l.target == kTargetBaseFreq || l.target == kTargetIsoRate; }

// An LFO on "Round", "Pan" or "Volume" lands in a float, and a last-bit
// difference in its sine could round to the neighbouring float. The
// polynomial and the C library's sine differ by less than 1e-15 here (the
// waves stay within -1 ... 1 and the amplitudes at most 1), so where every
// value that close rounds to one float the polynomial's output stands; the
// rare frames near a rounding tie take the C library's.
void MendFloatTies(const Lfo& l, int32_t count, const double* phase, double* value) {
  constexpr double kSlack = 2e-15;
  int ties = 0;
  for (int32_t i = 0; i < count; ++i)
    ties |= static_cast<float>(value[i] - kSlack) != static_cast<float>(value[i] + kSlack);
  if (!ties) return;
  for (int32_t i = 0; i < count; ++i)
    if (static_cast<float>(value[i] - kSlack) != static_cast<float>(value[i] + kSlack))
      value[i] = LfoValue(l, LibmLfoWave(l.wave, phase[i]));
}

// A stateless LFO's output at each frame of the piece ("Square" keeps its
// smoothing in order, in StepVoice).
void LfoValues(const Lfo& l, int32_t count, const double* phase, double* value) {
  if (l.wave == kLfoSquare) return;
  if (LfoSetsAnIncrement(l)) {
    for (int32_t i = 0; i < count; ++i) value[i] = LfoValue(l, LibmLfoWave(l.wave, phase[i]));
    return;
  }
  const Lfo lfo = l;
  WithStatelessLfoWave(lfo.wave, [&](auto kind) {
    for (int32_t i = 0; i < count; ++i) value[i] = LfoValue(lfo, LfoWaveAt<decltype(kind)::value, FastTrig>(phase[i]));
  });
  MendFloatTies(lfo, count, phase, value);
}

// The serial part of each frame: silence, the LFOs, the ramps, the pulse
// phase, and the carrier phase when nothing gates it. Works on copies, so
// nothing it stores can alias what it reads; compiled for each combination
// of pulsing and LFOs, so the loop tests neither. Answers how many frames
// sound before the level has faded out (count when it has not).
template <bool Pulsing, bool Lfos>
int32_t StepVoiceFor(ToneBlock& b, Piece& p, int32_t count) {
  ToneVoice v = b.voice;
  const ToneRamps ramps = b.ramps;
  const float gainTarget = b.gainTarget;
  // Only a block whose level is going to 0 can fall silent.
  const bool mayFade = gainTarget <= kToneTiny;
  Lfo lfo[2] = {*b.lfo[0], *b.lfo[1]};
  const bool square[2] = {lfo[0].wave == kLfoSquare, lfo[1].wave == kLfoSquare};
  int32_t i = 0;
  for (; i < count; ++i) {
    if (mayFade && ToneSilent(gainTarget, v)) break;
    for (int j = 0; j < 2 && Lfos; ++j) {
      if (!lfo[j].active) continue;
      if (square[j]) p.lfoValue[j][i] = LfoValue(lfo[j], SquareLfoStep(p.lfoPhase[j][i], &lfo[j].squareState));
      DriveLfoTarget(v, lfo[j].target, p.lfoValue[j][i], gainTarget);
    }
    StepRamps(v, ramps);
    p.pan[i] = v.pan;
    p.gain[i] = v.gain;
    if constexpr (Pulsing) {
      p.round[i] = v.round;
      p.carrierInc[i] = v.carrierInc;
      p.pulsePhase[i] = v.pulsePhase;
      v.pulsePhase = WrapPhase(v.pulsePhase + v.pulseInc);
    } else {
      // Unpulsed, the gate is always open: the carrier phase needs no sine
      // and runs here, beside the other recurrences.
      p.carrierPhase[i] = v.carrierPhase;
      v.carrierPhase = NextCarrierPhase(v.carrierPhase, v.carrierInc, 1.0);
    }
  }
  b.voice = v;
  for (int j = 0; j < 2; ++j) {
    b.lfo[j]->squareState = lfo[j].squareState;
    if (lfo[j].active && i > 0 && LfoWrites(lfo[j].target, gainTarget)) {
      b.lfoValue[j] = static_cast<float>(p.lfoValue[j][i - 1]);
      b.lfoValueSet[j] = true;
    }
  }
  return i;
}

int32_t StepVoice(ToneBlock& b, Piece& p, int32_t count) {
  const bool lfos = b.lfo[0]->active || b.lfo[1]->active;
  if (b.pulsing) return lfos ? StepVoiceFor<true, true>(b, p, count) : StepVoiceFor<true, false>(b, p, count);
  return lfos ? StepVoiceFor<false, true>(b, p, count) : StepVoiceFor<false, false>(b, p, count);
}

void Gates(const ToneBlock& b, Piece& p, int32_t n) {
  if (!b.pulsing) {
    for (int32_t i = 0; i < n; ++i) p.gate[i] = 1.0;
    return;
  }
  const bool golden = b.goldenPulse;
  for (int32_t i = 0; i < n; ++i) p.gate[i] = PulseGate<FastTrig>(p.pulsePhase[i], p.round[i], golden);
}

// The carrier phase of a pulsed tone, which each closed gate resets.
void CarrierPhases(ToneBlock& b, Piece& p, int32_t n) {
  if (!b.pulsing) return;  // done in StepVoice
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
  const bool anyLfo = b.lfo[0]->active || b.lfo[1]->active;
  if (anyLfo) LfoPhases(b, p, count, lfoPhaseAfter);
  for (int j = 0; j < 2; ++j)
    if (b.lfo[j]->active) LfoValues(*b.lfo[j], count, p.lfoPhase[j], p.lfoValue[j]);
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
