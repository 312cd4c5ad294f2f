// IEffectParameter: one framework parameter as the host sees it.
//
// Wraps an IParamEntry (owned by IEffectBase) and hands every conversion to
// it, so processor and controller read the same value.
#pragma once

#include "framework/ParamEntry.h"
#include "public.sdk/source/vst/vstparameters.h"

class IEffectParameter : public Steinberg::Vst::Parameter {
 public:
  IEffectParameter(IParamEntry* entry, Steinberg::Vst::ParamID id, Steinberg::Vst::UnitID unit);

  void toString(Steinberg::Vst::ParamValue normalized,
                Steinberg::Vst::String128 text) const SMTG_OVERRIDE;
  bool fromString(const Steinberg::Vst::TChar* text,
                  Steinberg::Vst::ParamValue& normalized) const SMTG_OVERRIDE;
  Steinberg::Vst::ParamValue toPlain(Steinberg::Vst::ParamValue normalized) const SMTG_OVERRIDE;
  Steinberg::Vst::ParamValue toNormalized(Steinberg::Vst::ParamValue plain) const SMTG_OVERRIDE;

  OBJ_METHODS(IEffectParameter, Parameter)

 private:
  IParamEntry* entry;
};
