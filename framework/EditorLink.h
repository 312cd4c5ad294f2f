// IEditorLink: what the plug-in base asks of the editor attached to it.
//
// The editor implements it, so the framework calls its editor without
// depending on the editor library.
#pragma once

#include <cstdint>

class IEditorLink {
 public:
  virtual ~IEditorLink() = default;
  // Any thread, and never waits: controls bound to index are to show value
  // (plain, or normalised), without telling the host again. They take it on
  // the editor's thread at its next tick, or at ShowPostedValues.
  virtual void SetParamFromPlug(int32_t index, double value, bool isNormalized) = 0;
  // The editor's thread: controls take the values posted so far.
  virtual void ShowPostedValues() = 0;
  // The editor's thread, lock held: a value the instrument set itself, shown
  // as a user edit would be.
  virtual void PushParamValue(int32_t index, double normalized) = 0;
  // Called once, when the editor is attached, before it draws; lock held.
  virtual void PrepareDrawing() = 0;
  // Timer ticks per second, and the countdown that ends a deferred edit.
  virtual int32_t FrameRate() const = 0;
  virtual void StartEditCountdown(int32_t ticks) = 0;
  virtual void StopEditCountdown() = 0;
};
