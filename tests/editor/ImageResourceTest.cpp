// Artwork through the real resource path: a PNG in the build's resource
// table, decoded once into the image cache by the editor's LoadFrameStrip.
// (Systems with resource sections are covered by the plug-in's own build.)
#include <gtest/gtest.h>

#include "EditorTestHost.h"
#include "controls/ImageControl.h"
#include "raster/ResourceTable.h"

namespace {

constexpr int kResourceId = 64001;

// 3 x 2 RGBA: red, green, half-transparent blue / (10,20,30), (40,50,60), clear.
const unsigned char kPng[] = {
    0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44, 0x52, 0x00, 0x00,
    0x00, 0x03, 0x00, 0x00, 0x00, 0x02, 0x08, 0x06, 0x00, 0x00, 0x00, 0x9d, 0x74, 0x66, 0x1a, 0x00, 0x00, 0x00,
    0x1f, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9c, 0x63, 0xf8, 0xcf, 0xc0, 0xf0, 0x1f, 0x0c, 0x19, 0xfe, 0x37, 0x30,
    0x70, 0x89, 0xc8, 0xfd, 0xd7, 0x30, 0xb2, 0xf9, 0xef, 0x16, 0x10, 0xc5, 0x00, 0x00, 0x81, 0xea, 0x09, 0x3c,
    0x5e, 0xc5, 0x09, 0xe7, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};

const PX_ResourceEntry kEntries[] = {{kResourceId, "PNG", kPng, sizeof kPng}};
PX_ResourceTable table{kEntries, 1, nullptr};
const bool registered = (PX_RegisterResourceTable(&table), true);

}  // namespace

TEST(LoadFrameStrip, DecodesThePngResourceOnceForEveryEditor) {
  ASSERT_TRUE(registered);
  EditorHarness first;
  IFrameStrip a = first.editor->LoadFrameStrip(kResourceId, "img/test.png", 3);
  ASSERT_NE(a.image, nullptr);
  EXPECT_EQ(a.W, 3);
  EXPECT_EQ(a.H, 2);
  EXPECT_EQ(a.N, 3);
  EXPECT_EQ(a.image->pixels()[0], 0xFFFF0000u);
  EXPECT_EQ(a.image->pixels()[2], 0x800000FFu);  // straight alpha, not premultiplied
  EditorHarness second;
  EXPECT_EQ(second.editor->LoadFrameStrip(kResourceId, "img/test.png", 1).image, a.image);
  // Its middle frame, drawn by a control of the second editor.
  auto* image = new IImageControl(&second.plug, -1, IRect(10, 10, 11, 12), a, false);
  image->ApplyPlugValue(0.5);
  second.editor->AddControl(image);
  ClearSurface(second.editor);
  second.editor->Draw(IRect(0, 0, 200, 150));
  EXPECT_EQ(PixelAt(second.editor, 10, 10), 0xFF00FF00u);
  EXPECT_EQ(PixelAt(second.editor, 10, 11), 0xFF28323Cu);
}
