#include "instrument/GraphPrm.h"

#include "editor/Editor.h"

GRAPHPRM::GRAPHPRM(IEffectBase* plug, const IRect& rect, const PulseRateDisplay& source)
    : IControl(plug, -1, rect), source(source), text("Arial", 15, IArgb(200, 255, 255, 255), 0, kAlignCentre) {}

const char* GRAPHPRM::BandName(float v) {
  if (v > 0.0f && v < 0.5f) return "EPSILON";
  if (v < 4.0f) return "DELTA";
  if (v < 8.0f) return "THETA";
  if (v < 14.0f) return "ALPHA";
  if (v < 30.0f) return "BETA";
  if (v < 100.0f) return "GAMMA";
  return "LAMBDA";
}

bool GRAPHPRM::IsDirty() const { return dirty || source.Value() != drawnRate; }

bool GRAPHPRM::Draw(IEditor* editor) {
  drawnRate = source.Value();
  return editor->DrawText(&text, BandName(drawnRate), rect);
}
