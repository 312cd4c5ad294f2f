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
  // The LFO moves on between frames, so every refresh asks; only a bar that
  // moved, appeared or vanished costs a redraw (redrawing the same pixels
  // would widen every tick's repaint to the tracks for nothing).
  bool IsDirty() const override;

  // Where the bar starts, in pixels from the track's left edge.
  int32_t BarOffset() const;

  static constexpr int32_t kBarWidth = 6;

 private:
  // What the track shows: -2 nothing, -1 the conflict mark, else the bar offset.
  int32_t Shown() const;

  const LfoDisplay& source;
  bool showsConflict;
  int32_t drawn = -3;  // nothing drawn yet
};
