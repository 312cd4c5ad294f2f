// IEditor: the editor core the plug-in object talks to.
//
// This is the part of the editor that the plug-in framework calls. The
// controls, event routing and redraw cycle build on it.
#pragma once

class IEffectBase;

class IEditor {
 public:
  IEditor(IEffectBase* plug, int width, int height, int frameRate)
      : plug(plug), width(width), height(height), frameRate(frameRate > 0 ? frameRate : 24) {}
  virtual ~IEditor() = default;

  // Parameter traffic from the plug-in.
  virtual void SetParamFromPlug(int /*index*/, double /*value*/, bool /*isNormalized*/) {}
  virtual void PushParamValue(int /*index*/, double /*normalized*/) {}
  virtual void HideParamControls(int /*index*/, bool /*hide*/) {}
  virtual void PrepareDrawing() {}

  // The window's countdown that ends a deferred edit gesture.
  virtual void StartEditCountdown(int /*frames*/) {}
  virtual void StopEditCountdown() {}

  int FrameRate() const { return frameRate; }

 protected:
  IEffectBase* plug;
  int width;
  int height;
  int frameRate;
};
