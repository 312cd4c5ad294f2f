#include "instrument/Graph.h"

#include <cmath>

#include "editor/Editor.h"

namespace {
const IArgb kBarColour(150, 255, 255, 255);
const IArgb kConflictColour(200, 255, 0, 0);
}  // namespace

GRAPH::GRAPH(IEffectBase* plug, const IRect& track, const LfoDisplay& source, bool showsConflict)
    : IControl(plug, -1, track), source(source), showsConflict(showsConflict) {}

int32_t GRAPH::BarOffset() const {
  const float lo = source.Minimum();
  const float span = source.Maximum() - lo;
  // The engine never maps a target to an empty range; should one ever come
  // through, the bar rests at the start instead of dividing by zero.
  if (!(span != 0.0f)) return 0;
  const float travel = static_cast<float>(rect.W() - kBarWidth);
  const float pos = std::round((source.Value() - lo) * travel / span);
  // Keep the bar on its track even if a value strays outside the range.
  if (!(pos > 0.0f)) return 0;
  return pos > travel ? static_cast<int32_t>(travel) : static_cast<int32_t>(pos);
}

int32_t GRAPH::Shown() const {
  if (source.Active()) return BarOffset();
  return showsConflict && source.Conflict() ? -1 : -2;
}

bool GRAPH::IsDirty() const { return dirty || Shown() != drawn; }

bool GRAPH::Draw(IEditor* editor) {
  drawn = Shown();
  if (drawn >= 0) {
    const int32_t x = rect.L + drawn;
    editor->FillRect(kBarColour, IRect(x, rect.T, x + kBarWidth, rect.B), nullptr);
  } else if (drawn == -1) {
    editor->FillRect(kConflictColour, IRect(rect.L, rect.T, rect.L + kBarWidth, rect.B), nullptr);
  }
  return true;
}
