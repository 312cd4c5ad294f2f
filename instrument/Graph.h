// GRAPH: one LFO's position within its range, as a short bar that travels
// along a thin track under the LFO's knobs.
//
// The engine publishes the values (LfoDisplay); this control only reads
// them, so the audio thread never waits for the editor.
#pragma once

#include "controls/Control.h"
#include "instrument/DisplayValues.h"

class GRAPH : public IControl {
 public:
  // showsConflict: this track marks an LFO that gave way to the other one.
  GRAPH(IEffectBase* plug, const IRect& track, const LfoDisplay& source, bool showsConflict);

  bool Draw(IEditor* editor) override;
  // The LFO moves on between frames: redrawn at every refresh.
  bool IsDirty() const override { return true; }

  // Where the bar starts, in pixels from the track's left edge.
  int32_t BarOffset() const;

  static constexpr int32_t kBarWidth = 6;

 private:
  const LfoDisplay& source;
  bool showsConflict;
};
