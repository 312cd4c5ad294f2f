// The editor as a host shows it on Windows: the bundle loaded with
// LoadLibrary, its view attached to a top-level window of ours, input posted
// as messages and the window read back.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "EditorViewFixture.h"
#include "HostWindow.h"
#include "vst3/ModuleFactory.h"

using namespace Steinberg;

void ShareBundleArtwork(PluginModule* module) {
  HMODULE dll = GetModuleHandleA("Ondivox.vst3");
  ASSERT_NE(dll, nullptr);
  SetModuleLocation(dll, module->BinaryPath());
}

class EditorViewTest : public EditorViewFixture {
 protected:
  static void SetUpTestSuite() {
    EditorViewFixture::SetUpTestSuite();
    ParkPointer();
  }

  void SetUp() override {
    EditorViewFixture::SetUp();
    host = std::make_unique<HostWindow>();
  }

  void TearDown() override {
    EditorViewFixture::TearDown();
    host.reset();
  }

  void Attach() {
    ASSERT_EQ(view->attached(host->Handle(), kPlatformTypeHWND), kResultOk);
    attached = true;
    window = host->EditorWindow();
    ASSERT_NE(window, nullptr);
  }

  // Opens the editor and answers where the named parameter's control lies.
  KnobSpot OpenAt(const char* paramName) {
    KnobSpot knob = Spot(paramName);
    Attach();
    WaitTicks(2);
    return knob;
  }

  // Presses the left button on the knob and drags up by each step in turn;
  // releases the button at the end when asked.
  void DragUp(const KnobSpot& knob, std::initializer_list<int> steps, bool release) {
    PostMouse(window, WM_LBUTTONDOWN, MK_LBUTTON, knob.x, knob.y);
    int y = knob.y;
    for (int dy : steps) PostMouse(window, WM_MOUSEMOVE, MK_LBUTTON, knob.x, y -= dy);
    if (release) PostMouse(window, WM_LBUTTONUP, 0, knob.x, y);
  }

  void Remove() {
    ASSERT_EQ(view->removed(), kResultOk);
    attached = false;
  }

  static void WaitTicks(int n) {
    int64_t until = TicksSeen() + n;
    ASSERT_TRUE(PumpUntil([&] { return TicksSeen() >= until; }, 5000 + 200 * n)) << "editor timer stopped";
  }

  void ExpectShowsEditor() { ExpectShowsDrawing(WindowPixels(window, kWidth, kHeight)); }

  // Right-clicks the knob, waits for its entry box and types text into it.
  HWND OpenEntryAndType(const KnobSpot& knob, const char* text) {
    PostMouse(window, WM_RBUTTONDOWN, MK_RBUTTON, knob.x, knob.y);
    PostMouse(window, WM_RBUTTONUP, 0, knob.x, knob.y);
    HWND box = nullptr;
    // The right click opens the box and is no gesture: the host hears nothing.
    bool open = PumpUntil([&] {
      box = FindWindowExA(static_cast<HWND>(window), nullptr, "EDIT", nullptr);
      return box != nullptr;
    }, 3000);
    EXPECT_TRUE(open) << "no entry box";
    if (!open) return nullptr;
    WaitTicks(1);
    EXPECT_EQ(Gesture(knob.param), "");
    for (const char* c = text; *c; ++c) PostChar(box, *c);
    EXPECT_TRUE(PumpUntil([&] {
      char t[64] = {};
      GetWindowTextA(box, t, sizeof t);
      return std::strncmp(t, text, std::strlen(text)) == 0;
    }, 3000)) << "typing did not reach the entry box";
    return box;
  }

  std::unique_ptr<HostWindow> host;
  void* window = nullptr;
};

TEST_F(EditorViewTest, ViewAnswersForAFixedSizeWindowEditor) {
  EXPECT_EQ(plug->Controller()->createView("Editor"), nullptr);
  EXPECT_EQ(plug->Controller()->createView(nullptr), nullptr);
  EXPECT_EQ(view->isPlatformTypeSupported(kPlatformTypeHWND), kResultTrue);
  EXPECT_EQ(view->isPlatformTypeSupported(kPlatformTypeX11EmbedWindowID), kResultFalse);
  ViewRect r(7, 7, 7, 7);
  ASSERT_EQ(view->getSize(&r), kResultOk);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right, kWidth);
  EXPECT_EQ(r.bottom, kHeight);
  EXPECT_EQ(view->canResize(), kResultFalse);
  EXPECT_EQ(view->onSize(nullptr), kResultOk);
}

TEST_F(EditorViewTest, OpensAsChildAndShowsTheOffScreenDrawing) {
  Attach();
  EXPECT_EQ(GetParent(static_cast<HWND>(window)), static_cast<HWND>(host->Handle()));
  EXPECT_TRUE(GetWindowLongA(static_cast<HWND>(window), GWL_STYLE) & WS_CHILD);
  WindowSize size = ClientSize(window);
  EXPECT_EQ(size.w, kWidth);
  EXPECT_EQ(size.h, kHeight);
  WindowSize at = PositionInParent(window);
  EXPECT_EQ(at.w, 0);
  EXPECT_EQ(at.h, 0);
  WaitTicks(3);
  ExpectShowsEditor();
  EXPECT_TRUE(ScreenshotToPng(ONDIVOX_SCREENSHOT)) << "no screenshot at " << ONDIVOX_SCREENSHOT;
}

TEST_F(EditorViewTest, LeftDragOnBaseFreqIsOneHostGesture) {
  KnobSpot knob = OpenAt("Base Freq");
  double before = plug->Controller()->getParamNormalized(knob.param);
  DragUp(knob, {10, 20}, true);
  ASSERT_TRUE(PumpUntil([&] { return Seen(Kind::kEnd, knob.param); }, 3000)) << Gesture(knob.param);
  // Begin, the moves (the knob may repeat its last value on release), end.
  std::string gesture = Gesture(knob.param);
  EXPECT_EQ(gesture.rfind("B P P", 0), 0u) << gesture;
  EXPECT_EQ(gesture.find_first_not_of("P ", 1), gesture.size() - 1) << gesture;
  EXPECT_EQ(LastOf(gesture), 'E') << gesture;
  EXPECT_GT(plug->Controller()->getParamNormalized(knob.param), before);
  EXPECT_EQ(LastPerformed(knob.param), plug->Controller()->getParamNormalized(knob.param));
}

TEST_F(EditorViewTest, WheelNotchEndsItsGestureTwelveTicksLater) {
  KnobSpot knob = OpenAt("Base Freq");
  PostWheel(window, 1, knob.x, knob.y);
  ExpectWheelGestureEndsTwelveTicksLater(knob.param, TicksSeen, PumpUntil);
}

TEST_F(EditorViewTest, TypedValueCommitsAtTheNextTick) {
  KnobSpot knob = OpenAt("Base Freq");
  HWND box = OpenEntryAndType(knob, "440");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(Gesture(knob.param), "");
  PostKeyDown(box, VK_RETURN);
  int64_t atEnter = TicksSeen();
  ASSERT_TRUE(PumpUntil([&] { return Seen(Kind::kEnd, knob.param); }, 3000)) << "typed value was not committed";
  EXPECT_LE(TicksSeen() - atEnter, 1);
  EXPECT_EQ(Gesture(knob.param), "B P E");
  EXPECT_NEAR(Plain(knob.param), 440.0, 1e-6);
  EXPECT_FALSE(IsWindow(box));
}

TEST_F(EditorViewTest, EscapeCancelsTheEntryAndSendsNothing) {
  KnobSpot knob = OpenAt("Base Freq");
  double before = Plain(knob.param);
  HWND box = OpenEntryAndType(knob, "440");
  ASSERT_NE(box, nullptr);
  PostKeyDown(box, VK_ESCAPE);
  ASSERT_TRUE(PumpUntil([&] { return !IsWindow(box); }, 3000)) << "the entry box stayed open";
  WaitTicks(2);
  EXPECT_EQ(Gesture(knob.param), "");
  EXPECT_EQ(Plain(knob.param), before);
}

TEST_F(EditorViewTest, ClosesAndOpensAgain) {
  Attach();
  WaitTicks(2);
  Remove();
  EXPECT_EQ(host->EditorWindow(), nullptr);
  Attach();
  WaitTicks(3);
  ExpectShowsEditor();
  // A second view of the same plug-in opens the same editor.
  Remove();
  view->release();
  view = plug->Controller()->createView(Vst::ViewType::kEditor);
  ASSERT_NE(view, nullptr);
  Attach();
  WaitTicks(3);
  ExpectShowsEditor();
}

TEST_F(EditorViewTest, RemovingTheViewEndsAPendingWheelEditAtOnce) {
  KnobSpot knob = OpenAt("Base Freq");
  PostWheel(window, -1, knob.x, knob.y);
  ASSERT_TRUE(PumpUntil([&] { return Seen(Kind::kPerform, knob.param); }, 3000));
  WaitTicks(2);
  EXPECT_EQ(Gesture(knob.param), "B P");
  Remove();
  EXPECT_EQ(Gesture(knob.param), "B P E");
}

TEST_F(EditorViewTest, ClicksDecideAnOpenEntryBox) {
  KnobSpot other = Spot("Isochronic");
  KnobSpot knob = OpenAt("Base Freq");
  double before = Plain(knob.param);

  // A right click anywhere discards the typed text and does nothing else.
  HWND box = OpenEntryAndType(knob, "440");
  ASSERT_NE(box, nullptr);
  PostMouse(window, WM_RBUTTONDOWN, MK_RBUTTON, other.x, other.y);
  PostMouse(window, WM_RBUTTONUP, 0, other.x, other.y);
  ASSERT_TRUE(PumpUntil([&] { return !IsWindow(box); }, 3000)) << "the entry box stayed open";
  WaitTicks(1);
  EXPECT_EQ(Gesture(knob.param), "");
  EXPECT_EQ(Plain(knob.param), before);

  // A left click elsewhere commits it and is a click on what lies there too.
  box = OpenEntryAndType(knob, "440");
  ASSERT_NE(box, nullptr);
  PostMouse(window, WM_LBUTTONDOWN, MK_LBUTTON, other.x, other.y);
  PostMouse(window, WM_LBUTTONUP, 0, other.x, other.y);
  ASSERT_TRUE(PumpUntil([&] { return Seen(Kind::kEnd, knob.param) && Seen(Kind::kEnd, other.param); }, 3000))
      << Gesture(knob.param) << " / " << Gesture(other.param);
  EXPECT_EQ(Gesture(knob.param), "B P E");
  EXPECT_NEAR(Plain(knob.param), 440.0, 1e-6);
  EXPECT_EQ(FirstOf(Gesture(other.param)), 'B');
  EXPECT_FALSE(IsWindow(box));
}

TEST_F(EditorViewTest, DoubleClickResetsAKnobToItsDefault) {
  KnobSpot knob = OpenAt("Base Freq");
  double initial = plug->Controller()->getParamNormalized(knob.param);
  DragUp(knob, {40}, true);
  ASSERT_TRUE(PumpUntil([&] { return Seen(Kind::kEnd, knob.param); }, 3000));
  ASSERT_NE(plug->Controller()->getParamNormalized(knob.param), initial);
  handler.Clear();

  // The second press of a fast double click arrives as a double-click.
  PostMouse(window, WM_LBUTTONDOWN, MK_LBUTTON, knob.x, knob.y);
  PostMouse(window, WM_LBUTTONUP, 0, knob.x, knob.y);
  PostMouse(window, WM_LBUTTONDBLCLK, MK_LBUTTON, knob.x, knob.y);
  PostMouse(window, WM_LBUTTONUP, 0, knob.x, knob.y);
  PumpUntil([&] { return LastPerformed(knob.param) == initial && LastOf(Gesture(knob.param)) == 'E'; }, 3000);
  EXPECT_DOUBLE_EQ(plug->Controller()->getParamNormalized(knob.param), initial);
  // Two gestures: the first press, then the double-click that resets.
  std::string gesture = Gesture(knob.param);
  EXPECT_EQ(std::count(gesture.begin(), gesture.end(), 'B'), 2) << gesture;
  EXPECT_EQ(LastOf(gesture), 'E') << gesture;
}

TEST_F(EditorViewTest, RemovingTheViewMidDragEndsTheGesture) {
  KnobSpot knob = OpenAt("Base Freq");
  DragUp(knob, {20}, false);
  ASSERT_TRUE(PumpUntil([&] { return Seen(Kind::kPerform, knob.param); }, 3000));
  EXPECT_FALSE(Seen(Kind::kEnd, knob.param));
  Remove();
  EXPECT_EQ(LastOf(Gesture(knob.param)), 'E');
  // Opened again, the editor takes clicks as before.
  Attach();
  WaitTicks(2);
  handler.Clear();
  PostMouse(window, WM_LBUTTONDOWN, MK_LBUTTON, knob.x, knob.y);
  PostMouse(window, WM_LBUTTONUP, 0, knob.x, knob.y);
  ASSERT_TRUE(PumpUntil([&] { return Seen(Kind::kEnd, knob.param); }, 3000));
  EXPECT_EQ(FirstOf(Gesture(knob.param)), 'B');
}

TEST_F(EditorViewTest, HostWindowDestroyedBeforeRemovalLeavesTheEditorUsable) {
  KnobSpot knob = OpenAt("Base Freq");
  PostWheel(window, 1, knob.x, knob.y);
  ASSERT_TRUE(PumpUntil([&] { return Seen(Kind::kPerform, knob.param); }, 3000));
  // The host tears its window down first; the pending wheel edit ends with it.
  host = std::make_unique<HostWindow>();
  EXPECT_EQ(Gesture(knob.param), "B P E");
  Remove();
  Attach();
  WaitTicks(2);
  handler.Clear();
  DragUp(knob, {10}, true);
  ASSERT_TRUE(PumpUntil([&] { return Seen(Kind::kEnd, knob.param); }, 3000)) << Gesture(knob.param);
  EXPECT_EQ(FirstOf(Gesture(knob.param)), 'B');
}
