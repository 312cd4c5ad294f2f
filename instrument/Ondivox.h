// CLS_ONDIVOX: the isochronic-tone instrument.
//
// A carrier oscillator gated by a pulse oscillator, panned and scaled, with
// two LFOs; 25 parameters and 141 factory programs.
#pragma once

#include "vst3/EffectVST3.h"
#include "instrument/OndivoxParams.h"

class CLS_ONDIVOX : public IEffectVST3 {
 public:
  CLS_ONDIVOX();
  ~CLS_ONDIVOX() override;

 private:
  void DefineParameters();
  void AddFactoryPresets();
};
