#include "EditorViewFixture.h"

#include <algorithm>
#include <cstring>

#include "controls/Control.h"
#include "editor/Editor.h"
#include "framework/ParamEntry.h"
#include "raster/Bitmap.h"

using namespace Steinberg;
using Call = ComponentHandler::Call;

std::shared_ptr<PluginModule> EditorViewFixture::module;
CLS_ONDIVOX* EditorViewFixture::reference = nullptr;
HostApplication EditorViewFixture::referenceApp;

void EditorViewFixture::SetUpTestSuite() {
  std::string error;
  module = LoadBundle(ONDIVOX_BUNDLE_PATH, &error);
  ASSERT_TRUE(module) << error;
  ShareBundleArtwork(module.get());
  reference = new CLS_ONDIVOX();
  ASSERT_EQ(reference->initialize(&referenceApp), kResultOk);
}

void EditorViewFixture::TearDownTestSuite() {
  if (reference) {
    reference->terminate();
    reference->release();
    reference = nullptr;
  }
  module.reset();
}

void EditorViewFixture::SetUp() {
  ASSERT_NE(reference->Editor(), nullptr) << "the instrument builds no editor";
  std::string error;
  plug = PluginInstance::Open(module, PluginHost{"Ondivox Test Host", &handler}, &error);
  ASSERT_TRUE(plug) << error;
  view = plug->Controller()->createView(Vst::ViewType::kEditor);
  ASSERT_NE(view, nullptr);
}

void EditorViewFixture::TearDown() {
  if (view) {
    if (attached) view->removed();
    view->release();
    view = nullptr;
  }
  attached = false;
  plug.reset();
}

EditorViewFixture::KnobSpot EditorViewFixture::Spot(const char* paramName) {
  KnobSpot s;
  for (int32_t i = 0; i < reference->ParamCount(); ++i)
    if (std::strcmp(reference->Param(i)->Name(), paramName) == 0) s.param = i;
  IEditor* ed = reference->Editor();
  for (int32_t c = 0; c < ed->ControlCount(); ++c) {
    auto* control = dynamic_cast<IControl*>(ed->GetControl(c));
    if (!control || control->ParamIndex() != s.param || control->IsHidden()) continue;
    const IRect& r = control->TargetRect();
    s.x = (r.L + r.R) / 2;
    s.y = (r.T + r.B) / 2;
    return s;
  }
  ADD_FAILURE() << "no control for " << paramName;
  return s;
}

Steinberg::tresult EditorViewFixture::SetContentScale(float factor) const {
  Steinberg::FUnknownPtr<Steinberg::IPlugViewContentScaleSupport> scale(view);
  if (!scale) {
    ADD_FAILURE() << "the view takes no display scale";
    return Steinberg::kNoInterface;
  }
  return scale->setContentScaleFactor(factor);
}

Steinberg::ViewRect EditorViewFixture::SizeAtScale(double factor) const {
  EXPECT_EQ(SetContentScale(static_cast<float>(factor)), Steinberg::kResultTrue);
  Steinberg::ViewRect r;
  EXPECT_EQ(view->getSize(&r), Steinberg::kResultOk);
  EXPECT_EQ(r.getWidth(), ScaledSize(kWidth, factor));
  EXPECT_EQ(r.getHeight(), ScaledSize(kHeight, factor));
  return r;
}

EditorViewFixture::KnobSpot EditorViewFixture::Scaled(const KnobSpot& at, double factor) {
  const IEditorScale scale(factor);
  KnobSpot s = at;
  s.x = (scale.ToPixels(at.x) + scale.ToPixels(at.x + 1)) / 2;
  s.y = (scale.ToPixels(at.y) + scale.ToPixels(at.y + 1)) / 2;
  return s;
}

IRect EditorViewFixture::EntryRectOf(const char* paramName) {
  const KnobSpot knob = Spot(paramName);
  IEditor* ed = reference->Editor();
  const IControl* control = dynamic_cast<IControl*>(ed->GetControl(ed->ControlAt(knob.x, knob.y)));
  IParamEntry* param = reference->Param(knob.param);
  if (!control || !param) return IRect();
  // Wide enough for the parameter's widest text, 16 high, on the control's centre.
  char widest[IParamEntry::kFormatBufferSize] = {};
  param->FormatValue(1.0, true, widest);
  const int32_t w = std::max(7 * static_cast<int32_t>(std::strlen(widest)) + 6, 32);
  const IRect& r = control->Rect();
  const int32_t left = (r.L + r.R) / 2 - w / 2, top = (r.T + r.B) / 2 - 8;
  return IRect(left, top, left + w, top + 16);
}

std::vector<uint32_t> EditorViewFixture::ReferenceDrawing() {
  IEditor* ed = reference->Editor();
  ed->Draw(IRect(0, 0, kWidth, kHeight));
  PX_IBitmap* b = ed->DrawBitmap();
  std::vector<uint32_t> out(static_cast<size_t>(kWidth) * kHeight);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) out[y * kWidth + x] = b->pixels()[y * b->rowStride() + x] & 0xFFFFFFu;
  return out;
}

void EditorViewFixture::ExpectShowsDrawing(const std::vector<uint32_t>& shown) {
  std::vector<uint32_t> drawn = ReferenceDrawing();
  ASSERT_EQ(shown.size(), drawn.size());
  // A blank drawing would match a blank window: the editor must show artwork.
  size_t plain = std::count(drawn.begin(), drawn.end(), drawn[0]);
  EXPECT_LT(plain, drawn.size() / 2) << "the editor draws almost one colour";
  size_t differ = 0, first = shown.size();
  for (size_t i = 0; i < shown.size(); ++i)
    if (shown[i] != drawn[i]) {
      if (first == shown.size()) first = i;
      ++differ;
    }
  EXPECT_EQ(differ, 0u) << "first at (" << first % kWidth << ", " << first / kWidth << "): window "
                        << std::hex << shown[first % shown.size()] << ", drawing " << drawn[first % shown.size()];
}

void EditorViewFixture::ExpectWheelGestureEndsTwelveTicksLater(
    Vst::ParamID id, const std::function<int64_t()>& ticks,
    const std::function<bool(const std::function<bool()>&, int)>& runUntil) {
  int64_t atNotch = -1, atEnd = -1;
  runUntil([&] {
    if (atNotch < 0 && Seen(Kind::kPerform, id)) atNotch = ticks();
    if (Seen(Kind::kEnd, id)) atEnd = ticks();
    return atEnd >= 0;
  }, 5000);
  ASSERT_GE(atNotch, 0) << "the wheel did not reach the knob";
  ASSERT_GE(atEnd, 0) << "the wheel gesture never ended";
  EXPECT_EQ(Gesture(id), "B P E");
  EXPECT_EQ(atEnd - atNotch, 12);
}

bool EditorViewFixture::Seen(Kind kind, Vst::ParamID id) const {
  for (const Call& c : handler.Calls())
    if (c.kind == kind && c.id == id) return true;
  return false;
}

std::string EditorViewFixture::Gesture(Vst::ParamID id) const {
  std::string s;
  for (const Call& c : handler.Calls()) {
    if (c.id != id) continue;
    if (!s.empty()) s += ' ';
    s += c.kind == Kind::kBegin ? "B" : c.kind == Kind::kPerform ? "P" : c.kind == Kind::kEnd ? "E" : "R";
  }
  return s;
}

double EditorViewFixture::LastPerformed(Vst::ParamID id) const {
  double v = -1.0;
  for (const Call& c : handler.Calls())
    if (c.kind == Kind::kPerform && c.id == id) v = c.value;
  return v;
}

double EditorViewFixture::Normalized(Vst::ParamID id) const {
  return plug->Controller()->getParamNormalized(id);
}

double EditorViewFixture::Plain(Vst::ParamID id) const {
  auto* c = plug->Controller();
  return c->normalizedParamToPlain(id, c->getParamNormalized(id));
}
