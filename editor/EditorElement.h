// IEditorElement: what the editor knows of a control.
//
// The editor draws its elements, sends them the pointer and keyboard events
// and the plug-in's values, and reads their rectangles, binding and flags;
// IEditorElement implements all of it. Holding controls only through this
// interface keeps the editor below the controls library: the controls call
// the editor, never the other way round, except through here.
#pragma once

#include <cstdint>

#include "editor/MouseState.h"
#include "editor/Rect.h"

class IEditor;
class IParamEntry;

class IEditorElement {
 public:
  virtual ~IEditorElement() = default;

  // --- Events (editor pixels) -----------------------------------------------
  virtual void MouseDown(int32_t x, int32_t y, const IMouseState& mod) = 0;
  virtual void MouseUp(int32_t x, int32_t y, const IMouseState& mod) = 0;
  virtual void MouseDrag(int32_t x, int32_t y, int32_t dX, int32_t dY, const IMouseState& mod) = 0;
  virtual void MouseDoubleClick(int32_t x, int32_t y, const IMouseState& mod) = 0;
  virtual void MouseWheel(int32_t x, int32_t y, const IMouseState& mod, int32_t notches) = 0;
  virtual void KeyDown(int32_t x, int32_t y, int32_t key) = 0;
  virtual void MouseOver(int32_t x, int32_t y, const IMouseState& mod) = 0;
  virtual void MouseOut() = 0;
  virtual bool HitTest(int32_t x, int32_t y) const = 0;

  // --- Values ---------------------------------------------------------------
  // From the plug-in; the host is not told.
  virtual void ApplyPlugValue(double v) = 0;
  // As if the user set it: sent to the plug-in and the host.
  virtual void ApplyUserValue(double v) = 0;
  // An item of a popup this element opened was chosen, or ("", -1): dismissed.
  virtual void PopupChoice(const char* text, int32_t index) = 0;

  // --- Redraw cycle ---------------------------------------------------------
  virtual bool Draw(IEditor* editor) = 0;
  virtual void Hide(bool h) = 0;
  virtual void MarkDirty(bool pushToPlug) = 0;
  virtual void MarkClean() = 0;
  virtual bool IsDirty() const = 0;

  // --- What it is -----------------------------------------------------------
  virtual const IRect& Rect() const = 0;
  virtual bool IsHidden() const = 0;
  virtual bool IsGrayed() const = 0;
  virtual int32_t ParamIndex() const = 0;
  bool IsBound() const { return ParamIndex() >= 0; }
  // The bound parameter, or null.
  virtual IParamEntry* Param() const = 0;
  // The element that opened this one (a popup's), or null.
  virtual IEditorElement* Owner() const = 0;
};
