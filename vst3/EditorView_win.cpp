// Views on Windows open their editor in a host window handle; the system's
// message loop drives the window, and keys go to it directly.
#include <cstring>

#include "editor/Editor.h"
#include "vst3/EditorView.h"

struct IEffectVST3View::Native {};

void IEffectVST3View::NativeDeleter::operator()(Native* n) const { delete n; }

bool IEffectVST3View::IsNativeType(FIDString type) {
  return type && std::strcmp(type, Steinberg::kPlatformTypeHWND) == 0;
}

bool IEffectVST3View::OpenWindow(IEditor* editor, void* parent) {
  // A window that cannot be made leaves the editor closed; the host still
  // gets its answer of success.
  editor->OpenWindow(parent);
  return true;
}

void IEffectVST3View::CloseWindow(IEditor* editor) { editor->CloseWindow(); }

Steinberg::tresult PLUGIN_API IEffectVST3View::onKeyDown(Steinberg::char16, Steinberg::int16,
                                                         Steinberg::int16) {
  return Steinberg::kResultFalse;
}
