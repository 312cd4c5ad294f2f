// CLS_ONDIVOX: the editor face. Every control is bound to its parameter by
// index and attached in drawing order, bottom first.
#include <cstring>

#include "controls/Button.h"
#include "controls/ButtonClick.h"
#include "controls/ButtonHold.h"
#include "controls/DropDown.h"
#include "controls/KnobMulti.h"
#include "controls/KnobRotVal.h"
#include "controls/LinkControl.h"
#include "controls/SwitchLbl.h"
#include "controls/TextControl.h"
#include "editor/EditorWin.h"
#include "instrument/Graph.h"
#include "instrument/GraphPrm.h"
#include "instrument/Ondivox.h"

namespace {

constexpr int32_t kEditorWidth = 550;
constexpr int32_t kEditorHeight = 365;
// The LFO 2 panel repeats the LFO 1 panel this far to the right.
constexpr int32_t kLfoPanelStride = 304;

const char* const kProductSite = "https://ondivox.zentrova.example/";
const char* const kMakerHome = "https://www.zentrova.example/";

const ITextStyle& KnobText() {
  static const ITextStyle style("Arial", 15, IArgb(200, 255, 255, 255), 0, kAlignNear);
  return style;
}

const ITextStyle& SwitchText() {
  static const ITextStyle style("Arial", 0, IArgb(255, 0, 0, 0), 0, kAlignCentre);
  return style;
}

const ITextStyle& VersionStyle() {
  static const ITextStyle style("Verdana", 13, IArgb(100, 255, 255, 255), 0, kAlignNear);
  return style;
}

// A rotating knob with its value and unit under it; widthOverride 0 keeps
// the picture's width.
IKnobRotVal* RotKnob(IEffectBase* plug, int32_t param, int32_t x, int32_t y, const IFrameStrip& picture,
                     int32_t widthOverride = 0) {
  return new IKnobRotVal(plug, param, x, y, picture, KnobText(), 5, 300, 4.0, widthOverride, 0, 0.2f, true, 0);
}

IKnobMulti* FrameKnob(IEffectBase* plug, int32_t param, int32_t x, int32_t y, const IFrameStrip& picture,
                      int32_t widthOverride) {
  return new IKnobMulti(plug, param, x, y, picture, KnobText(), 5, 300, 4.0, widthOverride, 0);
}

ISwitchLbl* OnOffSwitch(IEffectBase* plug, int32_t param, int32_t x, int32_t y, const IFrameStrip& picture) {
  return new ISwitchLbl(plug, param, x, y, picture, SwitchText(), 0, 0, 1, 0.2f);
}

}  // namespace

struct CLS_ONDIVOX::EditorPictures {
  IFrameStrip knob, knob2, lfoTarget, lfoTargetList, rateSync, lfoWave;
};

std::string CLS_ONDIVOX::EditorVersionText() const {
  char text[32];
  VersionText(text, sizeof text);
  // "v1.10" reads as v1.1 on the face.
  const size_t n = std::strlen(text);
  if (n > 0) text[n - 1] = '\0';
  std::string shown = text;
  if (!mixInput) shown += " i";
  return shown;
}

void CLS_ONDIVOX::BuildEditor() {
  auto* ed = new IEditorWin(this, kEditorWidth, kEditorHeight, 0);
  ed->SetModule(ResourceModule());
  ed->AddBackground(100, "img/bg.png");

  ed->AddControl(new GRAPH(this, IRect(22, 324, 223, 326), lfoDisplay[0], false));
  ed->AddControl(new GRAPH(this, IRect(326, 324, 527, 326), lfoDisplay[1], true));
  ed->AddControl(new GRAPHPRM(this, IRect(233, 298, 317, 313), pulseRateDisplay));

  ed->AddControl(new ITextControl(this, IRect(45, 12, 95, 30), VersionStyle(), EditorVersionText().c_str()));
  ed->AddControl(new ILinkControl(this, IRect(178, 15, 370, 62), kProductSite, kMakerHome, ""));

  EditorPictures pic;
  pic.knob = ed->LoadFrameStrip(101, "img/knob.png", 1);
  pic.knob2 = ed->LoadFrameStrip(102, "img/knob2.png", 1);
  pic.lfoTarget = ed->LoadFrameStrip(107, "img/lfo_tg.png", 6);
  pic.lfoTargetList = ed->LoadFrameStrip(108, "img/lfo_tg_.png", 6);
  pic.rateSync = ed->LoadFrameStrip(109, "img/rate_sync.png", 1);
  pic.lfoWave = ed->LoadFrameStrip(104, "img/lfo_wave.png", 7);

  ed->AddControl(RotKnob(this, kBaseFreq, 49, 130, pic.knob));
  ed->AddControl(RotKnob(this, kIsoRate, 125, 130, pic.knob));
  ed->AddControl(FrameKnob(this, kWave, 201, 130, ed->LoadFrameStrip(103, "img/wave.png", 8), 80));
  const IFrameStrip onOff = ed->LoadFrameStrip(106, "img/on.png", 2);
  ed->AddControl(OnOffSwitch(this, kGoldenIso, 261, 95, onOff));
  ed->AddControl(OnOffSwitch(this, kIsoOn, 261, 131, onOff));
  ed->AddControl(new IButton(this, kPlayAnyway, 243, 154, ed->LoadFrameStrip(105, "img/btn.png", 1), 0.2f));
  ed->AddControl(RotKnob(this, kFade, 347, 129, pic.knob2, 60));
  ed->AddControl(RotKnob(this, kRound, 400, 129, pic.knob2));
  ed->AddControl(RotKnob(this, kPan, 453, 129, pic.knob2));
  ed->AddControl(RotKnob(this, kVolume, 506, 129, pic.knob2));

  for (int j = 0; j < 2; ++j) AddLfoControls(ed, j, pic);

  ed->AddControl(new IButtonHold(this, kLfosSync, 235, 323, ed->LoadFrameStrip(110, "img/btn2.png", 1)));

  AttachEditor(ed);
  ed->SetHandleMouseOver(true);
}

// One LFO panel; LFO 2's is LFO 1's moved right by one panel.
void CLS_ONDIVOX::AddLfoControls(IEditor* ed, int j, const EditorPictures& pic) {
  const int32_t p = j * kLfoParamCount;
  const int32_t dx = j * kLfoPanelStride;

  auto* sync = new IButtonClick(this, kLfo1Sync + p, 183 + dx, 196, pic.rateSync, 0.2f);
  sync->SetClickFlag(&rateClicked);
  ed->AddControl(sync);
  ed->AddControl(new IDropDown(this, kLfo1Target + p, 84 + dx, 216, pic.lfoTarget, pic.lfoTargetList, 1, 0));
  ed->AddControl(RotKnob(this, kLfo1Start + p, 45 + dx, 279, pic.knob2));
  ed->AddControl(FrameKnob(this, kLfo1Wave + p, 97 + dx, 279, pic.lfoWave, 60));
  ed->AddControl(RotKnob(this, kLfo1Depth + p, 149 + dx, 279, pic.knob2));
  // Both rate knobs share one place: only the one of the current unit shows.
  ed->AddControl(RotKnob(this, kLfo1RateNote + p, 201 + dx, 279, pic.knob2));
  ed->AddControl(RotKnob(this, kLfo1RateMs + p, 201 + dx, 279, pic.knob2, 60));
  // Both LFOs start synced.
  ed->HideParamControls(kLfo1RateMs + p, true);
}
