// IEditor: the control list, parameter binding and the redraw cycle.
#include "editor/Editor.h"

#include "editor/EditorElement.h"
#include "framework/EffectBase.h"
#include "raster/MemBitmap.h"
#include "raster/SysBitmap.h"

IEditor::IEditor(IEffectBase* plug, int32_t width, int32_t height, int32_t frameRate)
    : plug(plug), width(width), height(height), frameRate(frameRate > 0 ? frameRate : 24) {
  posted.Resize(plug ? plug->ParamCount() : 0);
}

IEditor::~IEditor() { DeleteControls(); }

// Changes to the control list take the plug-in's lock, so a list never
// changes under an edit the plug-in is handling.
std::unique_lock<std::recursive_mutex> IEditor::LockList() {
  if (!plug) return std::unique_lock<std::recursive_mutex>();
  return std::unique_lock<std::recursive_mutex>(plug->Lock());
}

void IEditor::DeleteControls() {
  auto guard = LockList();
  popup = nullptr;
  captureIndex = -1;
  mouseOverIndex = -1;
  while (!controls.empty()) {
    delete controls.back();
    controls.pop_back();
  }
}

void IEditor::Resize(int32_t newWidth, int32_t newHeight) {
  width = newWidth;
  height = newHeight;
  DeleteControls();
  if (plug) plug->ResizeEditor(newWidth, newHeight);
}

int32_t IEditor::AddControl(IEditorElement* control) {
  auto guard = LockList();
  controls.push_back(control);
  return ControlCount() - 1;
}

int32_t IEditor::InsertBackground(IEditorElement* background) {
  auto guard = LockList();
  controls.insert(controls.begin(), background);
  if (captureIndex >= 0) ++captureIndex;
  if (mouseOverIndex >= 0) ++mouseOverIndex;
  return 0;
}

PX_IBitmap* IEditor::DrawBitmap() const { return drawBitmap.get(); }

IEditorElement* IEditor::GetControl(int32_t index) const {
  return index >= 0 && index < ControlCount() ? controls[index] : nullptr;
}

int32_t IEditor::IndexOf(const IEditorElement* control) const {
  for (int32_t i = 0; i < ControlCount(); ++i)
    if (controls[i] == control) return i;
  return -1;
}

void IEditor::RemoveControl(IEditorElement* control) {
  auto guard = LockList();
  int32_t i = IndexOf(control);
  if (i < 0) return;
  controls.erase(controls.begin() + i);
  if (control == popup) popup = nullptr;
  // Indices above the gap move down; a removed captured control loses its
  // gesture, so its button-up must not reach whatever now lies underneath.
  if (captureIndex == i) {
    captureIndex = -1;
    releaseDropped = true;
  } else if (captureIndex > i) {
    --captureIndex;
  }
  if (mouseOverIndex == i)
    mouseOverIndex = -1;
  else if (mouseOverIndex > i)
    --mouseOverIndex;
}

void IEditor::ClosePopup(bool fromChoice) {
  if (!popup) return;
  IEditorElement* closing = popup;
  if (!fromChoice && closing->Owner()) closing->Owner()->PopupChoice("", -1);
  RemoveControl(closing);
  popup = nullptr;
  delete closing;
  RedrawAll();
}

bool IEditor::CollectDirtyArea(IRect* area) const {
  IRect dirty;
  bool any = false;
  for (const IEditorElement* control : controls) {
    if (!control->IsDirty()) continue;
    dirty = dirty.Union(control->Rect());
    any = true;
  }
  if (area) *area = dirty;
  return any;
}

namespace {

// Merges groups that came to overlap after a union, until none do; a grown
// group may reach any other, so each merge starts the search again.
int32_t MergeOverlappingAreas(IRect* areas, int32_t count) {
  for (int32_t i = 0; i < count; ++i) {
    for (int32_t j = 0; j < count; ++j) {
      if (j == i || !areas[i].Intersects(areas[j])) continue;
      areas[i] = areas[i].Union(areas[j]);
      areas[j] = areas[--count];
      i = -1;
      break;
    }
  }
  return count;
}

}  // namespace

int32_t IEditor::CollectDirtyAreas(IRect* areas, int32_t maxAreas) const {
  if (!areas || maxAreas <= 0) return 0;
  int32_t count = 0;
  for (const IEditorElement* control : controls) {
    if (!control->IsDirty()) continue;
    IRect r = control->Rect();
    int32_t into = -1;
    for (int32_t i = 0; i < count && into < 0; ++i)
      if (areas[i].Intersects(r)) into = i;
    if (into < 0 && count < maxAreas) {
      areas[count++] = r;
      continue;
    }
    if (into < 0) into = count - 1;  // out of groups: the last one takes the rest
    areas[into] = areas[into].Union(r);
    count = MergeOverlappingAreas(areas, count);
  }
  return count;
}

bool IEditor::Draw(const IRect& area) {
  if (controls.empty()) return true;
  drawArea = area;
  // By index: a control's Draw may change the list (a drop-down passing on
  // a pick runs the plug-in, which may push values to other controls).
  for (size_t i = 0; i < controls.size(); ++i) {
    IEditorElement* control = controls[i];
    if (!control->IsHidden() && control->Rect().Intersects(area)) control->Draw(this);
    control->MarkClean();
  }
  return DrawScreen(area);
}
