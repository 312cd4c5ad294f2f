// ResizeEditor: the plug-in asks the host frame of its first view for a new
// size, and the view's next onSize confirms it.
#include <gtest/gtest.h>

#include "instrument/Ondivox.h"
#include "tools/host/HostObject.h"
#include "vst3/EditorView.h"

using namespace Steinberg;

namespace {

class RecordingFrame : public HostObject<IPlugFrame> {
 public:
  tresult PLUGIN_API resizeView(IPlugView* view, ViewRect* r) override {
    ++calls;
    lastView = view;
    if (r) lastRect = *r;
    return kResultOk;
  }
  int calls = 0;
  IPlugView* lastView = nullptr;
  ViewRect lastRect;
};

struct OwnedPlug {
  CLS_ONDIVOX* plug = new CLS_ONDIVOX();
  ~OwnedPlug() { plug->release(); }
};

}  // namespace

TEST(ViewResizeTest, FirstViewsFrameIsAskedAndOnSizeConfirms) {
  OwnedPlug owned;
  CLS_ONDIVOX* plug = owned.plug;
  ASSERT_NE(plug->Editor(), nullptr);
  // Without a view there is no frame to ask.
  plug->ResizeEditor(600, 400);

  IPlugView* first = plug->createView("editor");
  IPlugView* second = plug->createView("editor");
  ASSERT_NE(first, nullptr);
  RecordingFrame frame, otherFrame;
  first->setFrame(&frame);
  second->setFrame(&otherFrame);

  plug->ResizeEditor(600, 400);
  EXPECT_EQ(frame.calls, 1);
  EXPECT_EQ(otherFrame.calls, 0);
  EXPECT_EQ(frame.lastView, first);
  EXPECT_EQ(frame.lastRect.left, 0);
  EXPECT_EQ(frame.lastRect.top, 0);
  EXPECT_EQ(frame.lastRect.right, 600);
  EXPECT_EQ(frame.lastRect.bottom, 400);
  auto* view = static_cast<IEffectVST3View*>(first);
  EXPECT_TRUE(view->ResizePending());
  ViewRect r(0, 0, 600, 400);
  EXPECT_EQ(first->onSize(&r), kResultOk);
  EXPECT_FALSE(view->ResizePending());

  // Once the first view is gone, the next one in line is asked.
  first->setFrame(nullptr);
  first->release();
  plug->ResizeEditor(560, 370);
  EXPECT_EQ(otherFrame.calls, 1);
  second->release();
}
