// IEditorLink: what the plug-in base asks of the editor attached to it.
//
// The editor implements it, so the framework calls its editor without
// depending on the editor library. All calls come with the plug-in lock held.
#pragma once

#include <cstdint>

class IEditorLink {
 public:
  virtual ~IEditorLink() = default;
  // A control bound to index shows value (plain, or normalised), without
  // telling the host again.
  virtual void SetParamFromPlug(int32_t index, double value, bool isNormalized) = 0;
  // A value the instrument set itself, shown as a user edit would be.
  virtual void PushParamValue(int32_t index, double normalized) = 0;
  // Called once, when the editor is attached, before it draws.
  virtual void PrepareDrawing() = 0;
  // Timer ticks per second, and the countdown that ends a deferred edit.
  virtual int32_t FrameRate() const = 0;
  virtual void StartEditCountdown(int32_t ticks) = 0;
  virtual void StopEditCountdown() = 0;
};
