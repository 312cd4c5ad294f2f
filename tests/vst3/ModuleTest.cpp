// The module's entry points, factory and class description, through the
// loaded bundle.
#include <cstring>

#include "BundleFixture.h"
#include "ExpectedClassId.h"
#include "base/source/fstring.h"
#include "pluginterfaces/base/funknown.h"

using ModuleTest = BundleTest;

TEST_F(ModuleTest, FactoryDescribesTheVendor) {
  IPluginFactory* factory = module->Factory();
  PFactoryInfo info;
  ASSERT_EQ(factory->getFactoryInfo(&info), kResultOk);
  EXPECT_STREQ(info.vendor, "Zentrova");
  EXPECT_STREQ(info.email, "");
  EXPECT_NE(std::strlen(info.url), 0u);
  EXPECT_EQ(info.flags, 16);
  EXPECT_EQ(factory->countClasses(), 1);
}

TEST_F(ModuleTest, ClassDescriptionInBothForms) {
  void* obj = nullptr;
  ASSERT_EQ(module->Factory()->queryInterface(IPluginFactory3::iid, &obj), kResultOk);
  auto* factory3 = static_cast<IPluginFactory3*>(obj);

  PClassInfo2 info;
  ASSERT_EQ(factory3->getClassInfo2(0, &info), kResultOk);
  EXPECT_EQ(info.cardinality, 0x7FFFFFFF);
  EXPECT_STREQ(info.category, "Audio Module Class");
  EXPECT_STREQ(info.name, "Ondivox");
  EXPECT_EQ(info.classFlags, 2u);
  EXPECT_STREQ(info.subCategories, "Fx");
  EXPECT_STREQ(info.vendor, "");
  EXPECT_STREQ(info.version, "1.1.0");
  EXPECT_STREQ(info.sdkVersion, "VST 3.6.5");
  EXPECT_EQ(std::memcmp(info.cid, kExpectedClassId, 16), 0);

  PClassInfoW wide;
  ASSERT_EQ(factory3->getClassInfoUnicode(0, &wide), kResultOk);
  EXPECT_EQ(NarrowText(wide.name), "Ondivox");
  EXPECT_EQ(NarrowText(wide.sdkVersion), "VST 3.6.5");
  EXPECT_EQ(std::memcmp(wide.cid, kExpectedClassId, 16), 0);

  PClassInfo2 outside;
  EXPECT_NE(factory3->getClassInfo2(1, &outside), kResultOk);
  factory3->release();
}

TEST_F(ModuleTest, ClassIdReadsAsTheGuidAndCarriesTheIds) {
  PClassInfo info;
  ASSERT_EQ(module->Factory()->getClassInfo(0, &info), kResultOk);
  EXPECT_EQ(std::memcmp(info.cid + 8, "ZtvA", 4), 0);
  EXPECT_EQ(std::memcmp(info.cid + 12, "kuhj", 4), 0);
  char text[40] = {};
  FUID::fromTUID(info.cid).toRegistryString(text);
  EXPECT_STREQ(text, "{F2AEE70D-00DE-4F4E-5A74-76416B75686A}");
}

TEST_F(ModuleTest, GetPluginFactoryHandsOutOneSharedFactory) {
  IPluginFactory* again = module->AcquireFactory();
  ASSERT_EQ(again, module->Factory());
  // Two references now: the one Load took and this one.
  EXPECT_EQ(again->addRef(), 3u);
  EXPECT_EQ(again->release(), 2u);
  again->release();
}

TEST_F(ModuleTest, CreateInstanceAnswersOnlyForItsClassAndKnownInterfaces) {
  PClassInfo info;
  ASSERT_EQ(module->Factory()->getClassInfo(0, &info), kResultOk);
  void* obj = reinterpret_cast<void*>(1);
  TUID other = {};
  EXPECT_NE(module->Factory()->createInstance(other, IComponent::iid, &obj), kResultOk);
  EXPECT_EQ(obj, nullptr);
  TUID unknownIid = {1, 2, 3};
  EXPECT_NE(module->Factory()->createInstance(info.cid, unknownIid, &obj), kResultOk);
  EXPECT_EQ(obj, nullptr);

  ASSERT_EQ(module->Factory()->createInstance(info.cid, IAudioProcessor::iid, &obj), kResultOk);
  auto* processor = static_cast<IAudioProcessor*>(obj);
  void* controller = nullptr;
  EXPECT_EQ(processor->queryInterface(IEditController::iid, &controller), kResultOk);
  // Ours and the query's references; the factory kept none.
  EXPECT_EQ(static_cast<FUnknown*>(controller)->release(), 1u);
  EXPECT_EQ(processor->release(), 0u);
}
