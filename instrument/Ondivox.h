// CLS_ONDIVOX: the isochronic-tone instrument.
//
// A carrier oscillator gated by a pulse oscillator, panned and scaled, with
// two LFOs; 25 parameters and 141 factory programs.
//
// Parameter changes (ParamChanged) run under the plug-in lock and turn each
// plain value into the per-sample values RenderBlock reads; RenderBlock runs
// inside the host's process call, which holds the same lock.
#pragma once

#include <climits>
#include <cstdint>
#include <string>

#include "vst3/EffectVST3.h"
#include "instrument/CarrierWave.h"
#include "instrument/DisplayValues.h"
#include "instrument/Lfo.h"
#include "instrument/OndivoxParams.h"
#include "instrument/ToneKernel.h"
#include "instrument/WallClock.h"

class CLS_ONDIVOX : public IEffectVST3 {
 public:
  CLS_ONDIVOX();
  ~CLS_ONDIVOX() override;

  void ResetState() override;
  void ParamChanged(int32_t index) override;
  void RenderBlock(double** inputs, double** outputs, int32_t frames) override;

  // The editor's LFO sync toggles call this when the user clicks them, so the
  // sync change that follows keeps the LFO's speed in the other unit.
  void OnRateSyncClicked() { rateClicked = true; }

  // Values for the editor's displays (j = 0 for LFO 1, 1 for LFO 2).
  const LfoDisplay& LfoDisplayOf(int j) const { return lfoDisplay[j == 0 ? 0 : 1]; }
  const PulseRateDisplay& PulseRate() const { return pulseRateDisplay; }

  // Replaces the clock that tells a paused host; null restores the system's.
  void SetWallClock(WallClock* clock) { wallClock = clock ? clock : WallClock::System(); }

  // Replaces the render kernel chosen for this processor; null restores it.
  void SetToneKernel(const ToneKernel* kernel) { toneKernel = kernel ? kernel : &BestToneKernel(); }

 private:
  void DefineParameters();
  void AddFactoryPresets();

  // The editor face.
  struct EditorPictures;
  void BuildEditor();
  void AddLfoControls(IEditor* ed, int j, const EditorPictures& pic);
  std::string EditorVersionText() const;

  // Parameter-change handling.
  void Reapply(int index);
  void ApplyParam(int index, int a);
  void ApplyLfoParam(int j, LfoParam offset, int a);
  void ApplyTarget(int j, int a);
  void ApplySyncSwitch(int j, int a);
  void ApplyNoteRate(int j, int a);
  void ApplyMsRate(int j, int a);
  void RecordApplied(int index);

  // LFOs.
  void UpdateLfoActivity(int j);
  void SetLfo2Active(bool on);
  void UpdateLfoMapping(int j);
  float LfoBaseValue(int target) const;
  bool AnyLfoTargets(int target) const;
  double SyncSamplesPerWholeNote() const;

  // Generator.
  void PhaseLock();
  void RenderFrames(double** inputs, double** outputs, int32_t frames, float gainTarget);

  // Carrier and pulse.
  double carrierPhase = 0.0;
  double pulsePhase = 0.0;
  double carrierInc = 0.0;
  double carrierIncTarget = 0.0;
  double pulseInc = 0.0;
  double pulseIncTarget = 0.0;
  float pan = 0.0f;
  float panTarget = 0.0f;
  float volumeGain = 0.0f;
  float gain = 0.0f;
  float round = 0.0f;
  int wave = kWaveSine;
  GoldenWarp warp;
  uint32_t glideLength = 0;
  bool pulsing = false;
  bool goldenPulse = false;
  bool playAnyway = false;
  bool mixInput = false;
  bool started = false;
  bool resync = false;

  // Timing.
  double cachedSampleRate = 0.0;
  double samplesPerWholeNote = 0.0;
  double lastTempoWholeNote = 0.0;  // last positive samples per whole note
  WallClock* wallClock = nullptr;
  const ToneKernel* toneKernel = &BestToneKernel();
  uint32_t lastClock = 0;

  // LFOs.
  Lfo lfo[2];
  bool lfosSync = false;
  bool rateClicked = false;

  // Which values have been applied; no parameter quantises to kNotApplied,
  // so the next call for one marked so is always applied.
  static constexpr int kNotApplied = INT_MIN;
  int applied[kNumParams];
  bool seen[kNumParams] = {};
  int seenCount = 0;

  LfoDisplay lfoDisplay[2];
  PulseRateDisplay pulseRateDisplay;
};
