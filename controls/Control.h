// IControl: the base of every editor element.
//
// Holds the control's rectangles, its binding to a parameter, its value
// (normalised when bound) and the flags of the redraw cycle. A value change
// ends with MarkDirty: with a push the value also goes to the plug-in and
// the host; values that came from the plug-in are never pushed back.
#pragma once

#include <cstdint>

#include "editor/Blend.h"
#include "editor/MouseState.h"
#include "editor/Rect.h"

class IEditor;
class IEffectBase;
class IParamEntry;

class IControl {
 public:
  IControl(IEffectBase* plug, int32_t paramIndex, const IRect& rect);
  virtual ~IControl() = default;
  IControl(const IControl&) = delete;
  IControl& operator=(const IControl&) = delete;

  virtual void MouseDown(int32_t x, int32_t y, const IMouseState& mod);
  virtual void MouseUp(int32_t /*x*/, int32_t /*y*/, const IMouseState& /*mod*/) {}
  virtual void MouseDrag(int32_t /*x*/, int32_t /*y*/, int32_t /*dX*/, int32_t /*dY*/,
                         const IMouseState& /*mod*/) {}
  virtual void MouseDoubleClick(int32_t x, int32_t y, const IMouseState& mod);
  virtual void MouseWheel(int32_t x, int32_t y, const IMouseState& mod, int32_t notches);
  virtual void KeyDown(int32_t /*x*/, int32_t /*y*/, int32_t /*key*/) {}
  virtual void MouseOver(int32_t /*x*/, int32_t /*y*/, const IMouseState& /*mod*/) {}
  virtual void MouseOut() {}
  virtual bool Draw(IEditor* editor) = 0;
  // From the plug-in; the host is not told. The first value becomes the default.
  virtual void ApplyPlugValue(double v);
  // As if the user set it: always sent to the plug-in and the host.
  virtual void ApplyUserValue(double v);
  // An item of a popup this control opened was chosen, or ("", -1): dismissed.
  virtual void PopupChoice(const char* /*text*/, int32_t /*index*/) {}
  virtual void Hide(bool h);
  virtual void SetGrayed(bool g);
  virtual bool HitTest(int32_t x, int32_t y) const { return targetRect.Contains(x, y); }
  virtual void MarkDirty(bool pushToPlug);
  virtual void MarkClean();
  virtual bool IsDirty() const { return dirty; }

  double Value() const { return value; }
  void SetValue(double v) { value = v; }
  double DefaultValue() const { return defaultValue; }
  int32_t ParamIndex() const { return paramIndex; }
  bool IsBound() const { return paramIndex >= 0; }
  bool IsHidden() const { return hidden; }
  bool IsGrayed() const { return grayed; }
  const IRect& Rect() const { return rect; }
  const IRect& TargetRect() const { return targetRect; }
  IControl* Owner() const { return owner; }
  void SetOwner(IControl* control) { owner = control; }
  const IBlend& Blend() const { return blend; }
  void SetBlend(const IBlend& b) { blend = b; }
  IEffectBase* Plug() const { return plug; }
  // The bound parameter, or null.
  IParamEntry* Param() const;
  // The editor attached to the plug-in, or null.
  IEditor* Editor() const;

  // Moves both rectangles.
  void MoveBy(int32_t dx, int32_t dy);

 protected:
  void SetRects(const IRect& r) { rect = targetRect = r; }
  // Right-click: a value popup for listed values, otherwise the entry box.
  void OpenValuePrompt();
  // For controls whose look changes under the pointer: entering marks the
  // control dirty once, leaving always does.
  void SetHover(bool* hover, bool on);

  double value = 0.0;
  IControl* owner = nullptr;
  IEffectBase* plug;
  IRect rect;
  IRect targetRect;
  int32_t paramIndex;
  double defaultValue = -1.0;
  double clampLo = 0.0, clampHi = 1.0;
  bool dirty = true;
  bool hidden = false;
  bool grayed = false;
  bool redraw = false;
  IBlend blend;

 private:
  void OpenValuePopup(IEditor* editor, IParamEntry* param);
};
