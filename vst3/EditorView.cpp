// IEffectVST3View, and the plug-in's side of it: createView, the views list
// and ResizeEditor.
#include "vst3/EditorView.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>

#include "editor/EditorWin.h"
#include "vst3/EffectVST3.h"
#include "vst3/HostCall.h"

using namespace Steinberg;

namespace {

IEditorWin* WindowSide(IEditor* editor) { return dynamic_cast<IEditorWin*>(editor); }

}  // namespace

IEffectVST3View::IEffectVST3View(IEffectVST3* plug) : plug(plug) {
  plug->addRef();
  // A host's view shows the user's own zoom until the host gives a factor.
  if (IEditorWin* editor = WindowSide(plug->Editor())) editor->LoadUserZoom();
}

IEffectVST3View::~IEffectVST3View() {
  // The factor was this view's host's; the next view's host may give none.
  if (IEditorWin* editor = WindowSide(plug->Editor()); editor && givesScale) editor->SetHostScale(0.0);
  // What the window system holds goes while the plug-in (and its editor) is
  // surely alive.
  native.reset();
  plug->RemoveView(this);
  plug->release();
}

tresult PLUGIN_API IEffectVST3View::isPlatformTypeSupported(FIDString type) {
  if (!plug->Editor()) return kResultFalse;
  return IsNativeType(type) ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API IEffectVST3View::attached(void* parent, FIDString type) {
  if (!parent) return kInvalidArgument;
  IEditor* editor = plug->Editor();
  if (!editor) return kResultFalse;
  // The window is made without the plug-in lock: it waits on the window
  // system (and on X11 calls into the host), and the audio thread must not
  // wait with it. Its timer ticks only once this call has returned.
  systemWindow = parent;
  if (IsNativeType(type) && !OpenWindow(editor, parent)) {
    systemWindow = nullptr;
    return kResultFalse;
  }
  std::lock_guard<std::recursive_mutex> g(plug->Lock());
  plug->OnEditorOpened();
  return kResultOk;
}

tresult PLUGIN_API IEffectVST3View::removed() {
  if (IEditor* editor = plug->Editor()) {
    {
      std::lock_guard<std::recursive_mutex> g(plug->Lock());
      plug->OnEditorClosing();
    }
    // Closing ends a pending edit under the lock itself.
    CloseWindow(editor);
  }
  systemWindow = nullptr;
  return kResultOk;
}

tresult PLUGIN_API IEffectVST3View::getSize(ViewRect* size) {
  IEditor* editor = plug->Editor();
  if (!editor || !size) return kResultFalse;
  *size = ViewRect(0, 0, editor->ScaledWidth(), editor->ScaledHeight());
  return kResultOk;
}

tresult PLUGIN_API IEffectVST3View::checkSizeConstraint(ViewRect* r) {
  IEditor* editor = plug->Editor();
  if (!editor || !r) return kResultFalse;
  r->right = r->left + editor->ScaledWidth();
  r->bottom = r->top + editor->ScaledHeight();
  return kResultTrue;
}

tresult PLUGIN_API IEffectVST3View::setContentScaleFactor(ScaleFactor factor) {
  IEditorWin* editor = WindowSide(plug->Editor());
  if (!editor) return kResultFalse;
  // A factor that is no number is no factor: the view keeps what it shows.
  if (!(factor == factor)) return kInvalidArgument;
  givesScale = true;
  editor->SetHostScale(IEditorScale(factor).Factor());
  return kResultTrue;
}

tresult PLUGIN_API IEffectVST3View::onSize(ViewRect* newSize) {
  if (!newSize) return kResultOk;
  rect = *newSize;
  if (resizePending) {
    plug->OnEditorResized();
    resizePending = false;
  }
  return kResultOk;
}

tresult PLUGIN_API IEffectVST3View::setFrame(IPlugFrame* frame) {
  plugFrame = frame;
  return kResultOk;
}

void IEffectVST3View::RequestResize(int32_t width, int32_t height) {
  resizePending = true;
  if (!plugFrame) return;
  ViewRect r(0, 0, width, height);
  plugFrame->resizeView(this, &r);
}

// --- The plug-in's side -------------------------------------------------------

IPlugView* PLUGIN_API IEffectVST3::createView(FIDString name) {
  if (!name || std::strcmp(name, Vst::ViewType::kEditor) != 0) return nullptr;
  return HostCallObject([&]() -> IPlugView* {
    auto view = std::make_unique<IEffectVST3View>(this);
    views.push_back(view.get());
    return view.release();
  });
}

void IEffectVST3::RemoveView(IPlugView* view) {
  auto it = std::find(views.begin(), views.end(), view);
  if (it != views.end()) views.erase(it);
}

void IEffectVST3::ResizeEditor(int32_t width, int32_t height) {
  if (!editor || views.empty()) return;
  static_cast<IEffectVST3View*>(views.front())->RequestResize(width, height);
}
