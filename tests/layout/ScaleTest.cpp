// The face at a display scale, worked without a window through the editor's
// off-screen interface at window pixels, as the snapshot tool and a window
// deliver them: controls are hit where they are drawn, a drag turns a knob
// as far per screen millimetre at every scale, the drop-down opens at scale,
// and the zoom menu's choice is remembered for the user.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "LayoutHost.h"
#include "controls/PromptPopup.h"
#include "editor/EditorScale.h"
#include "editor/ZoomSettings.h"
#include "raster/Bitmap.h"

using namespace Steinberg;

namespace {

constexpr double kScales[] = {1.0, 1.25, 1.5, 2.0, 3.0};

struct ScaledHost : LayoutHost {
  IEditorScale scale;

  explicit ScaledHost(double f) : scale(f) {
    Start();
    EXPECT_EQ(setEditorScale(f), kResultOk);
  }
  // The middle of a face pixel's area in the window.
  int32_t At(int32_t face) const { return (scale.ToPixels(face) + scale.ToPixels(face + 1)) / 2; }
  void Press(int32_t x, int32_t y, int32_t buttons = IOffscreenEditor::kButtonLeft) {
    pointer(IOffscreenEditor::kPointerDown, At(x), At(y), buttons, 0);
    pointer(IOffscreenEditor::kPointerUp, At(x), At(y), 0, 0);
  }
  // Everything drawn, as 0xRRGGBB.
  std::vector<uint32_t> Drawn() {
    int32 w = 0, h = 0;
    getEditorSize(&w, &h);
    std::vector<uint32_t> px(static_cast<size_t>(w) * h);
    EXPECT_EQ(drawInto(px.data(), w, h, w), kResultOk);
    for (uint32_t& p : px) p &= 0xFFFFFF;
    return px;
  }
};

TEST(FaceAtScale, TheEditorIsTheFacesSizeTimesTheFactor) {
  for (double f : kScales) {
    ScaledHost h(f);
    int32 w = 0, hh = 0;
    ASSERT_EQ(h.getEditorSize(&w, &hh), kResultOk);
    EXPECT_EQ(w, static_cast<int32>(550 * f + 0.5)) << f;
    EXPECT_EQ(hh, static_cast<int32>(365 * f + 0.5)) << f;
    EXPECT_EQ(h.Editor()->DrawBitmap()->width(), w) << f;
    // Pictures of another size are refused.
    std::vector<uint32> px(550 * 365);
    if (f != 1.0) {
      EXPECT_EQ(h.drawInto(px.data(), 550, 365, 550), kInvalidArgument) << f;
    }
  }
}

TEST(FaceAtScale, ClicksAndDragsLandWhereTheControlsAreDrawn) {
  double reference = -1.0;
  for (double f : kScales) {
    SCOPED_TRACE(f);
    ScaledHost h(f);
    // A click on the "Isochronic" switch flips it.
    const double on = h.Param(kIsoOn)->value;
    h.Press(274, 139);
    EXPECT_NE(h.Param(kIsoOn)->value, on);
    // A drag up "Base Freq" by 40 face pixels: 40 x f window pixels, the
    // same distance on the screen at every scale, turns it the same.
    h.TakeLog();
    h.pointer(IOffscreenEditor::kPointerDown, h.At(49), h.At(130), IOffscreenEditor::kButtonLeft, 0);
    for (int32_t d = 5; d <= 40; d += 5)
      h.pointer(IOffscreenEditor::kPointerDrag, h.At(49), h.At(130 - d), IOffscreenEditor::kButtonLeft, 0);
    h.pointer(IOffscreenEditor::kPointerUp, h.At(49), h.At(90), 0, 0);
    const std::string log = h.TakeLog();
    EXPECT_EQ(log.rfind("B0 P0", 0), 0u) << log;
    const double turned = h.Param(kBaseFreq)->value;
    EXPECT_GT(turned, 200.0);
    if (reference < 0) reference = turned;
    EXPECT_EQ(turned, reference);
  }
}

TEST(FaceAtScale, TheDropDownOpensAtScaleAndItsListIsPickedFrom) {
  for (double f : kScales) {
    SCOPED_TRACE(f);
    ScaledHost h(f);
    const std::vector<uint32_t> closed = h.Drawn();
    h.Press(124, 222);
    const std::vector<uint32_t> open = h.Drawn();
    // The list hangs below the drop-down (face 84 ... 164, 232 ... 320), drawn
    // at the scale: its middle changed, the far side of the face did not.
    const int32_t w = h.scale.ToPixels(550);
    EXPECT_NE(open[h.At(270) * w + h.At(120)], closed[h.At(270) * w + h.At(120)]);
    EXPECT_EQ(open[h.At(270) * w + h.At(480)], closed[h.At(270) * w + h.At(480)]);
    // "Round", the fourth of the six targets.
    h.Press(104, 294);
    h.tick();  // the drop-down passes the pick on when it next draws
    EXPECT_EQ(h.Param(kLfo1Target)->value, 3.0);
  }
}

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(FaceAtScale, TheZoomMenuIsRememberedAndTheHostsFactorWins) {
  const std::string file = ZoomSettings::FilePath();
  ASSERT_FALSE(file.empty());
  std::remove(file.c_str());
  ScaledHost h(1.5);  // the host gives 150 %
  IEditorWin* ed = h.Ed();
  // A right click on the face between the controls opens the zoom menu.
  h.Press(300, 355, IOffscreenEditor::kButtonRight);
  auto* menu = dynamic_cast<PromptPopup*>(ed->Popup());
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(menu->Count(), ZoomSettings::kChoiceCount);
  EXPECT_STREQ(menu->Item(4), "200 %");
  EXPECT_FALSE(menu->HasScrollBar());
  // The menu lies inside the face.
  EXPECT_LE(menu->Rect().B, 365);
  EXPECT_LE(menu->Rect().R, 550);
  // "200 %": the fifth item, first column of the third row.
  const IRect& r = menu->Rect();
  h.Press(r.L + 2 + menu->ItemWidth() / 2, r.T + 2 * menu->RowHeight() + menu->RowHeight() / 2);
  EXPECT_EQ(ed->Popup(), nullptr);
  EXPECT_EQ(ed->UserZoom(), 200);
  EXPECT_EQ(FileText(file), "zoom=200\n");
  EXPECT_EQ(h.TakeLog(), "") << "no parameter is touched";
  // The host's factor still holds; without it the user's choice shows.
  EXPECT_EQ(ed->Scale().Factor(), 1.5);
  ed->SetHostScale(0.0);
  EXPECT_EQ(ed->Scale().Factor(), 2.0);
  // A plug-in made later reads the choice back, and its state is untouched.
  LayoutHost later;
  later.Ed()->LoadUserZoom();
  EXPECT_EQ(later.Ed()->Scale().Factor(), 2.0);
  EXPECT_EQ(later.ParamCount(), 25);
  std::remove(file.c_str());
}

TEST(FaceAtScale, ARightClickThatClosesAPopupOpensNoMenu) {
  ScaledHost h(2.0);
  h.Press(300, 355, IOffscreenEditor::kButtonRight);
  ASSERT_NE(h.Ed()->Popup(), nullptr);
  h.Press(20, 200, IOffscreenEditor::kButtonRight);
  EXPECT_EQ(h.Ed()->Popup(), nullptr);
}

}  // namespace
