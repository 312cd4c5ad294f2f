// IEditor: the editor core.
//
// Owns the ordered control list (index 0 is the background, later controls lie
// on top), binds controls to parameters, routes input to the control under
// the pointer and draws dirty controls into an off-screen bitmap. It knows
// nothing of windows: what needs the operating system is left abstract for
// IEditorWin.
//
// Values never cause drawing directly: a change only marks controls dirty,
// and the window's timer collects the dirty area and asks for a Draw.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "editor/Argb.h"
#include "editor/Blend.h"
#include "editor/FrameStrip.h"
#include "editor/MouseState.h"
#include "editor/ParamMailbox.h"
#include "editor/Rect.h"
#include "editor/TextStyle.h"
#include "framework/EditorLink.h"

class IEditorElement;
class IEffectBase;
class IParamEntry;
class PX_IBitmap;
class PX_MemBitmap;
class PX_SysBitmap;

class IEditor : public IEditorLink {
 public:
  IEditor(IEffectBase* plug, int32_t width, int32_t height, int32_t frameRate);
  ~IEditor() override;
  IEditor(const IEditor&) = delete;
  IEditor& operator=(const IEditor&) = delete;

  // --- What the window provides -------------------------------------------
  // Shows the given area of the drawing bitmap.
  virtual bool DrawScreen(const IRect& area) = 0;
  virtual void Resize(int32_t newWidth, int32_t newHeight);
  virtual bool IsWindowOpen() const = 0;
  virtual void PromptParamEntry(IEditorElement* control, IParamEntry* param, bool floating) = 0;
  virtual void HostFolder(char* text, int size) = 0;
  virtual void PluginFolder(char* text, int size) = 0;
  virtual void PromptForFile(char* path, int size, int32_t action, const char* folder,
                             const char* extensions) = 0;
  virtual bool PromptForColour(IArgb* colour, const char* title) = 0;
  virtual bool OpenUrl(const char* url, const char* title, const char* confirmText,
                       const char* errorText) = 0;
  void StartEditCountdown(int32_t ticks) override = 0;
  void StopEditCountdown() override = 0;
  virtual void* OpenWindow(void* parent) = 0;
  virtual void CloseWindow() = 0;
  virtual void* WindowHandle() const = 0;
  // Decodes an image resource; null when missing or undecodable.
  virtual PX_IBitmap* LoadResourceImage(int32_t id, const char* name) = 0;

  // --- Building -----------------------------------------------------------
  // Takes ownership; answers the control's index.
  int32_t AddControl(IEditorElement* control);
  // The background image, inserted at index 0 under everything else.
  // Defined beside IImageControl in the controls library, which makes the
  // control, so the editor library needs nothing of the controls'.
  int32_t AddBackground(int32_t resourceId, const char* name);
  // Puts an existing control at index 0; the indices held move with it.
  int32_t InsertBackground(IEditorElement* background);
  // Creates the drawing bitmap (width x height) and the scratch bitmap.
  void PrepareDrawing() override;

  // --- Parameter traffic ----------------------------------------------------
  // Any thread (host automation arrives on the audio thread): the value is
  // posted, and the bound controls take it at the editor's next tick.
  void SetParamFromPlug(int32_t index, double value, bool isNormalized) override;
  // The editor's thread: bound controls take what was posted since.
  void ShowPostedValues() override;
  // Hands the value to bound controls as user input (it reaches the host).
  void PushParamValue(int32_t index, double normalized) override;
  // Any thread, as values are: the controls hide or show at the next tick.
  void HideParamControls(int32_t index, bool hide);
  void RedrawAll();
  // Removes the first entry equal to control without deleting it.
  void RemoveControl(IEditorElement* control);
  // Closes the value popup; a dismissal (fromChoice false) tells its owner
  // ("", -1) first.
  void ClosePopup(bool fromChoice);

  // --- Events (editor pixels) -----------------------------------------------
  void HandleMouseDown(int32_t x, int32_t y, const IMouseState& mod);
  void HandleMouseUp(int32_t x, int32_t y, const IMouseState& mod);
  void HandleMouseDrag(int32_t x, int32_t y, const IMouseState& mod);
  bool HandleDoubleClick(int32_t x, int32_t y, const IMouseState& mod);
  void HandleMouseWheel(int32_t x, int32_t y, const IMouseState& mod, int32_t notches);
  void HandleKeyDown(int32_t x, int32_t y, int32_t key);
  bool HandleMouseOver(int32_t x, int32_t y, const IMouseState& mod);
  void HandleMouseOut();
  int32_t ControlAt(int32_t x, int32_t y) const;
  // Forgets the last pointer position and the control under the pointer.
  void ForgetPointer();

  // --- Redraw cycle ---------------------------------------------------------
  bool CollectDirtyArea(IRect* area) const;
  // The dirty controls' rectangles gathered into at most maxAreas groups that
  // do not overlap, so far-apart changes are redrawn apart. Answers the count.
  int32_t CollectDirtyAreas(IRect* areas, int32_t maxAreas) const;
  bool Draw(const IRect& area);

  // --- Drawing operations (for controls' Draw) --------------------------------
  IFrameStrip LoadFrameStrip(int32_t resourceId, const char* name, int32_t frames);
  bool DrawFrame(const IFrameStrip& strip, const IRect& dest, int32_t frame, const IBlend* blend,
                 bool vertical);
  bool DrawImageAt(const IFrameStrip& strip, const IRect& dest, int32_t srcX, int32_t srcY,
                   const IBlend* blend);
  bool DrawRotated(const IFrameStrip& strip, int32_t centreX, int32_t centreY, double angle,
                   const IBlend* blend, float srcX, float srcY);
  bool DrawText(ITextStyle* style, const char* text, const IRect& dest);
  bool FillRect(const IArgb& colour, const IRect& r, const IBlend* blend);
  bool DrawLine(const IArgb& colour, float x1, float y1, float x2, float y2, const IBlend* blend,
                bool antialias);
  bool FillRoundRect(const IArgb& colour, const IRect& r, int32_t radius, const IBlend* blend,
                     bool antialias);
  bool FrameRoundRect(const IArgb& colour, const IRect& r, int32_t radius, const IBlend* blend,
                      bool antialias);

  // --- Access ---------------------------------------------------------------
  IEffectBase* Plug() const { return plug; }
  int32_t Width() const { return width; }
  int32_t Height() const { return height; }
  int32_t FrameRate() const override { return frameRate; }
  int32_t ControlCount() const { return static_cast<int32_t>(controls.size()); }
  IEditorElement* GetControl(int32_t index) const;
  int32_t IndexOf(const IEditorElement* control) const;
  IEditorElement* Popup() const { return popup; }
  void SetPopup(IEditorElement* control) { popup = control; }
  // True while the control of the current button-down is handled and a value
  // popup was open when that click began (the click only closes it).
  bool PopupWasOpenAtClick() const { return popupOpenAtClick; }
  // True from a right-button press to its release: what controls do then
  // is no edit, so they send the host nothing.
  bool InRightPress() const { return rightPress; }
  int32_t CaptureIndex() const { return captureIndex; }
  int32_t MouseOverIndex() const { return mouseOverIndex; }
  void SetHandleMouseOver(bool on) { handleMouseOver = on; }
  PX_IBitmap* DrawBitmap() const;
  const IRect& DrawArea() const { return drawArea; }

  ITextStyle popupText{"Arial", 15, IArgb(200, 255, 255, 255), 0, kAlignNear, 0, 0};
  IArgb popupBack{245, 50, 50, 50};
  IArgb popupFrame{75, 200, 200, 200};

 protected:
  std::recursive_mutex lock;  // guards nothing in the core; kept for the window side
  bool handleMouseOver = false;
  int32_t mouseOverIndex = -1;
  IEditorElement* popup = nullptr;
  std::vector<IEditorElement*> controls;
  IEffectBase* plug;
  IRect drawArea;
  std::unique_ptr<PX_SysBitmap> drawBitmap;
  std::unique_ptr<PX_MemBitmap> scratchBitmap;
  ParamMailbox posted;
  int32_t width;
  int32_t height;
  int32_t frameRate;
  int32_t captureIndex = -1;
  int32_t lastX = 0, lastY = 0;

 private:
  void DeleteControls();
  std::unique_lock<std::recursive_mutex> LockList();
  // The captured control was removed mid-gesture: its button-up goes nowhere.
  bool releaseDropped = false;
  bool popupOpenAtClick = false;
  void BeginPress(IEditorElement* control, bool prompting);
  bool rightPress = false;
  int32_t pressParam = -1;  // the parameter whose gesture the press began
};
