// IEffectBase: the traffic between the plug-in and its editor.
#include "framework/EffectBase.h"

using Guard = std::lock_guard<std::recursive_mutex>;

void IEffectBase::AttachEditorLink(IEditor* asEditor, IEditorLink* asLink) {
  Guard g(lock);
  asLink->PrepareDrawing();
  for (int32_t i = 0; i < ParamCount(); ++i) asLink->SetParamFromPlug(i, params[i].NormalizedValue(), true);
  asLink->ShowPostedValues();
  // The plug-in owns its editor: one attached in its place must not leak.
  if (editorLink && editorLink != asLink) {
    FlushDeferredEdit();
    delete editorLink;
  }
  editor = asEditor;
  editorLink = asLink;
}

void IEffectBase::SetParamFromEditor(int32_t index, double normalized) {
  IParamEntry* param = Param(index);
  if (!param) return;
  Guard g(lock);
  param->SetFromNormalized(normalized);
  PerformParamEdit(index, normalized);
  ParamChanged(index);
}

void IEffectBase::SetParamFromHost(int32_t index, double normalized) {
  IParamEntry* param = Param(index);
  if (!param) return;
  Guard g(lock);
  param->SetFromNormalized(normalized);
  if (editorLink) editorLink->SetParamFromPlug(index, normalized, true);
  ParamChanged(index);
}

void IEffectBase::ChangeParamFromInstrument(int32_t index, double plain) {
  IParamEntry* param = Param(index);
  if (!param) return;
  BeginParamEdit(index);
  param->value = plain < param->min ? param->min : (plain > param->max ? param->max : plain);
  if (editorLink) editorLink->PushParamValue(index, param->NormalizedValue());
  EndParamEdit(index);
}

void IEffectBase::BeginWheelEdit(int32_t index) {
  if (!Param(index)) return;
  Guard g(lock);
  if (pendingEditParam == index) return;  // the same wheel gesture goes on
  FlushDeferredEdit();
  BeginParamEdit(index);
}

void IEffectBase::EndParamEditDeferred(int32_t index) {
  if (!Param(index)) return;
  Guard g(lock);
  if (!editorLink) {
    EndParamEdit(index);
    return;
  }
  // Another parameter's gesture still waiting would otherwise never end.
  if (pendingEditParam >= 0 && pendingEditParam != index) EndParamEdit(pendingEditParam);
  pendingEditParam = index;
  int32_t frames = editorLink->FrameRate() / 2;
  editorLink->StartEditCountdown(frames > 1 ? frames : 1);
}

void IEffectBase::FlushDeferredEdit() {
  Guard g(lock);
  if (editorLink) editorLink->StopEditCountdown();
  if (pendingEditParam >= 0) {
    int32_t index = pendingEditParam;
    pendingEditParam = -1;
    EndParamEdit(index);
  }
}

void IEffectBase::RefreshEditorParams() {
  if (!editorLink) return;
  for (int32_t i = 0; i < ParamCount(); ++i) editorLink->SetParamFromPlug(i, params[i].value, false);
}
