// GRAPHPRM: names the brainwave band the pulse rate falls in ("DELTA",
// "THETA", ...), read from the rate the engine publishes.
#pragma once

#include "controls/Control.h"
#include "editor/TextStyle.h"
#include "instrument/DisplayValues.h"

class GRAPHPRM : public IControl {
 public:
  GRAPHPRM(IEffectBase* plug, const IRect& rect, const PulseRateDisplay& source);

  bool Draw(IEditor* editor) override;
  // The label changes only when the pulse rate does.
  bool IsDirty() const override;

  // The band of a pulse rate in hertz.
  static const char* BandName(float hz);

 private:
  const PulseRateDisplay& source;
  ITextStyle text;
  float drawnRate = -1.0f;
};
