// The instrument as a host sees it, with its own editor built and the host's
// edit calls written to a log ("B0 P0 E0"), and the user's gestures on that
// editor at editor pixels.
#pragma once

#include <string>

#include "controls/Control.h"
#include "editor/EditorTestHost.h"
#include "editor/EditorWin.h"
#include "instrument/EngineHost.h"

class LayoutHost : public EngineHost {
 public:
  void BeginParamEdit(int32_t i) override { Note("B", i); }
  void PerformParamEdit(int32_t i, double) override { Note("P", i); }
  void EndParamEdit(int32_t i) override { Note("E", i); }

  IEditorWin* Ed() const { return static_cast<IEditorWin*>(Editor()); }

  std::string TakeLog() {
    std::string s = log;
    log.clear();
    return s;
  }

  // The user acts on what the editor shows, which is what its last tick
  // took of the plug-in's values.
  void Click(int32_t x, int32_t y, const IMouseState& mod = Left()) {
    Ed()->ShowPostedValues();
    Ed()->HandleMouseDown(x, y, mod);
    Ed()->HandleMouseUp(x, y, mod);
  }
  // Press, move up by `up` pixels in steps, release.
  void DragUp(int32_t x, int32_t y, int32_t up) {
    Ed()->ShowPostedValues();
    Ed()->HandleMouseDown(x, y, Left());
    for (int32_t d = 5; d <= up; d += 5) Ed()->HandleMouseDrag(x, y - d, Left());
    Ed()->HandleMouseUp(x, y - up, Left());
  }
  // The visible control under a point, or null, as the editor's next tick
  // shows it (values and visibility reach the editor there).
  IControl* At(int32_t x, int32_t y) const {
    Ed()->ShowPostedValues();
    const int32_t i = Ed()->ControlAt(x, y);
    return i >= 0 ? dynamic_cast<IControl*>(Ed()->GetControl(i)) : nullptr;
  }
  // The visible control bound to a parameter, or null.
  IControl* VisibleFor(int32_t param) const {
    Ed()->ShowPostedValues();
    for (int32_t i = 0; i < Ed()->ControlCount(); ++i) {
      IControl* c = dynamic_cast<IControl*>(Ed()->GetControl(i));
      if (c->ParamIndex() == param && !c->IsHidden()) return c;
    }
    return nullptr;
  }

 private:
  void Note(const char* what, int32_t i) {
    if (!log.empty()) log += ' ';
    log += what + std::to_string(i);
  }
  std::string log;
};
