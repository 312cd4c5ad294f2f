#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/EditorTestHost.h"
#include "controls/ImageControl.h"
#include "controls/LinkControl.h"
#include "controls/TextControl.h"

namespace {

// An editor whose shell opens only the addresses it is told to accept.
class ShellEditor : public IEditorWin {
 public:
  using IEditorWin::IEditorWin;
  bool OpenUrl(const char* url, const char*, const char*, const char*) override {
    opened.push_back(url);
    return accepts == url;
  }
  std::vector<std::string> opened;
  std::string accepts;
};

}  // namespace

TEST(TextControl, EmptyTextDrawsNothingAndEqualTextChangesNothing) {
  EditorHarness h;
  auto* t = h.Add(new ITextControl(&h.plug, IRect(0, 0, 100, 20), ITextStyle(), ""));
  ClearSurface(h.editor, 0xFF112233u);
  EXPECT_TRUE(h.editor->Draw(IRect(0, 0, 100, 20)));
  EXPECT_EQ(PixelAt(h.editor, 50, 10), 0xFF112233u);
  t->SetText("v1.10");
  EXPECT_TRUE(t->IsDirty());
  h.editor->Draw(IRect(0, 0, 100, 20));
  t->SetText("v1.10");
  EXPECT_FALSE(t->IsDirty());
  EXPECT_STREQ(t->Text(), "v1.10");
}

TEST(LinkControl, TriesTheFallbackWhenTheShellRefuses) {
  TestPlug plug;
  auto* editor = new ShellEditor(&plug, 100, 100, 0);
  plug.AttachEditor(editor);
  auto* link = new ILinkControl(&plug, IRect(0, 0, 50, 20), "https://a.example", "https://b.example", nullptr);
  editor->AddControl(link);
  editor->HandleMouseDown(10, 10, Left());
  EXPECT_EQ(editor->opened, (std::vector<std::string>{"https://a.example", "https://b.example"}));
  editor->opened.clear();
  editor->accepts = "https://a.example";
  editor->HandleMouseDown(10, 10, Right());
  EXPECT_EQ(editor->opened, (std::vector<std::string>{"https://a.example"}));
  EXPECT_EQ(plug.TakeLog(), "");
  auto* onlyFallback = new ILinkControl(&plug, IRect(60, 0, 90, 20), "", "https://b.example", "");
  editor->AddControl(onlyFallback);
  editor->opened.clear();
  editor->HandleMouseDown(70, 10, Left());
  EXPECT_EQ(editor->opened, (std::vector<std::string>{"https://b.example"}));
}

TEST(ImageControl, BackgroundRepaintsItsWholeRectangle) {
  EditorHarness h;
  int32_t id = 0;
  CoordStrip(h.editor, 200, 150, 1, &id);
  h.editor->AddControl(new ITextControl(&h.plug, IRect(0, 0, 10, 10), ITextStyle(), ""));
  EXPECT_EQ(h.editor->AddBackground(id, "img/bg.png"), 0);
  auto* bg = dynamic_cast<IControl*>(h.editor->GetControl(0));
  ASSERT_NE(bg, nullptr);
  EXPECT_EQ(bg->Rect(), IRect(0, 0, 200, 150));
  EXPECT_EQ(bg->Blend().kind, kBlendCopy);
  EXPECT_FALSE(bg->IsBound());
  ClearSurface(h.editor, 0x00000000u);
  h.editor->Draw(IRect(0, 0, 200, 150));
  EXPECT_EQ(PixelAt(h.editor, 199, 149), 0xFF000000u | 199u << 12 | 149u);
}
