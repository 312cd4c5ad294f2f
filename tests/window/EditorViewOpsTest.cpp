// The editor view's answers and lifetime, through the bundle's entry points,
// on every platform. Opening a real window is the Windows program's part.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "NativeViewType.h"
#include "pluginterfaces/gui/iplugview.h"
#include "tools/host/PluginInstance.h"

using namespace Steinberg;

class EditorViewOpsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::string error;
    module = LoadBundle(ONDIVOX_BUNDLE_PATH, &error);
    ASSERT_TRUE(module) << error;
  }
  static void TearDownTestSuite() { module.reset(); }
  void SetUp() override {
    std::string error;
    plug = PluginInstance::Open(module, PluginHost(), &error);
    ASSERT_TRUE(plug) << error;
  }

  static std::shared_ptr<PluginModule> module;
  std::unique_ptr<PluginInstance> plug;
};

std::shared_ptr<PluginModule> EditorViewOpsTest::module;

TEST_F(EditorViewOpsTest, OnlyTheEditorNameMakesAView) {
  Vst::IEditController* c = plug->Controller();
  for (const char* name : {"Editor", "EDITOR", "editor ", "", "view"}) EXPECT_EQ(c->createView(name), nullptr) << name;
  EXPECT_EQ(c->createView(nullptr), nullptr);
  IPlugView* view = c->createView("editor");
  ASSERT_NE(view, nullptr);
  view->release();
}

TEST_F(EditorViewOpsTest, AnswersOfAnEditorAtScaleOne) {
  IPlugView* view = plug->Controller()->createView("editor");
  ASSERT_NE(view, nullptr);
  auto expectRect = [](const ViewRect& got, int32 left, int32 top) {
    EXPECT_EQ(got.left, left);
    EXPECT_EQ(got.top, top);
    EXPECT_EQ(got.getWidth(), 550);
    EXPECT_EQ(got.getHeight(), 365);
  };
  ViewRect r(3, 4, 5, 6);
  ASSERT_EQ(view->getSize(&r), kResultOk);
  expectRect(r, 0, 0);
  EXPECT_EQ(view->getSize(nullptr), kResultFalse);
  EXPECT_EQ(view->canResize(), kResultFalse);
  // Any size asked for is answered with the editor's own.
  ViewRect asked(10, 20, 900, 30);
  EXPECT_EQ(view->checkSizeConstraint(&asked), kResultTrue);
  expectRect(asked, 10, 20);
  EXPECT_EQ(view->checkSizeConstraint(nullptr), kResultFalse);
  EXPECT_EQ(view->onSize(nullptr), kResultOk);
  EXPECT_EQ(view->onSize(&r), kResultOk);
  EXPECT_EQ(view->onWheel(1.0f), kResultFalse);
  EXPECT_EQ(view->onKeyDown('a', 0, 0), kResultFalse);
  EXPECT_EQ(view->onFocus(true), kResultFalse);
  EXPECT_EQ(view->setFrame(nullptr), kResultOk);

  const char* native = NativeViewType();
  for (const char* type : {kPlatformTypeHWND, kPlatformTypeNSView, kPlatformTypeX11EmbedWindowID, "hwnd"}) {
    bool offered = native && std::strcmp(type, native) == 0;
    EXPECT_EQ(view->isPlatformTypeSupported(type), offered ? kResultTrue : kResultFalse) << type;
  }
  view->release();
}

TEST_F(EditorViewOpsTest, ViewKeepsThePlugInAliveUntilReleased) {
  IPlugView* first = plug->Controller()->createView("editor");
  IPlugView* second = plug->Controller()->createView("editor");
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first, second);
  // The host lets go of the plug-in while its views live on.
  plug->Close();
  ViewRect r;
  EXPECT_EQ(first->getSize(&r), kResultOk);
  EXPECT_EQ(r.getWidth(), 550);
  first->release();
  EXPECT_EQ(second->getSize(&r), kResultOk);
  second->release();
}
