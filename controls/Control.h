// IControl: the base of every editor element.
//
// Holds the control's rectangles, its binding to a parameter, its value
// (normalised when bound) and the flags of the redraw cycle. A value change
// ends with MarkDirty: with a push the value also goes to the plug-in and
// the host; values that came from the plug-in are never pushed back.
#pragma once

#include <cstdint>

#include "editor/Blend.h"
#include "editor/EditorElement.h"
#include "editor/MouseState.h"
#include "editor/Rect.h"

class IEditor;
class IEffectBase;
class IParamEntry;

class IControl : public IEditorElement {
 public:
  IControl(IEffectBase* plug, int32_t paramIndex, const IRect& rect);
  ~IControl() override = default;
  IControl(const IControl&) = delete;
  IControl& operator=(const IControl&) = delete;

  void MouseDown(int32_t x, int32_t y, const IMouseState& mod) override;
  void MouseUp(int32_t /*x*/, int32_t /*y*/, const IMouseState& /*mod*/) override {}
  void MouseDrag(int32_t /*x*/, int32_t /*y*/, int32_t /*dX*/, int32_t /*dY*/,
                 const IMouseState& /*mod*/) override {}
  void MouseDoubleClick(int32_t x, int32_t y, const IMouseState& mod) override;
  void MouseWheel(int32_t x, int32_t y, const IMouseState& mod, int32_t notches) override;
  void KeyDown(int32_t /*x*/, int32_t /*y*/, int32_t /*key*/) override {}
  void MouseOver(int32_t /*x*/, int32_t /*y*/, const IMouseState& /*mod*/) override {}
  void MouseOut() override {}
  // From the plug-in; the host is not told. The first value becomes the default.
  void ApplyPlugValue(double v) override;
  // As if the user set it: always sent to the plug-in and the host.
  void ApplyUserValue(double v) override;
  void PopupChoice(const char* /*text*/, int32_t /*index*/) override {}
  void Hide(bool h) override;
  virtual void SetGrayed(bool g);
  bool HitTest(int32_t x, int32_t y) const override { return targetRect.Contains(x, y); }
  void MarkDirty(bool pushToPlug) override;
  void MarkClean() override;
  bool IsDirty() const override { return dirty; }

  double Value() const { return value; }
  void SetValue(double v) { value = v; }
  double DefaultValue() const { return defaultValue; }
  int32_t ParamIndex() const override { return paramIndex; }
  bool IsHidden() const override { return hidden; }
  bool IsGrayed() const override { return grayed; }
  const IRect& Rect() const override { return rect; }
  const IRect& TargetRect() const { return targetRect; }
  IControl* Owner() const override { return owner; }
  void SetOwner(IControl* control) { owner = control; }
  const IBlend& Blend() const { return blend; }
  void SetBlend(const IBlend& b) { blend = b; }
  IEffectBase* Plug() const { return plug; }
  // The bound parameter, or null.
  IParamEntry* Param() const override;
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
