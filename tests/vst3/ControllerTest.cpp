// Parameters, conversions, units and the program list, as a host reads them
// from the loaded bundle; the instrument linked into this test is the
// reference for its own table.
#include <limits>

#include "BundleFixture.h"
#include "tools/host/ParameterChanges.h"
#include "instrument/Ondivox.h"

using ControllerTest = BundleTest;

TEST_F(ControllerTest, PresetsComeFirstAsTheProgramChangeList) {
  auto plug = Make();
  ASSERT_EQ(plug->ParamCount(), 27);
  ParameterInfo info;
  ASSERT_TRUE(plug->ParamInfo(0, info));
  EXPECT_EQ(info.id, kPrst);
  EXPECT_EQ(NarrowText(info.title), "Presets");
  EXPECT_EQ(NarrowText(info.units), "");
  EXPECT_EQ(info.flags, 0x8008);
  EXPECT_EQ(info.stepCount, kNumPresetSlots - 1);
  EXPECT_EQ(info.unitId, 0);
}

TEST_F(ControllerTest, EveryParameterMatchesTheInstrumentsTable) {
  auto plug = Make();
  CLS_ONDIVOX reference;
  for (int32 i = 0; i < reference.ParamCount(); ++i) {
    SCOPED_TRACE(i);
    const IParamEntry& entry = *reference.Param(i);
    ParameterInfo info;
    ASSERT_TRUE(plug->ParamInfo(i + 1, info));
    EXPECT_EQ(info.id, static_cast<ParamID>(i));
    EXPECT_EQ(NarrowText(info.title), entry.Name());
    EXPECT_EQ(NarrowText(info.shortTitle), "");
    EXPECT_EQ(NarrowText(info.units), entry.Label());
    EXPECT_EQ(info.stepCount, entry.kind == kKindDouble ? 0 : static_cast<int32>(entry.max - entry.min));
    EXPECT_DOUBLE_EQ(info.defaultNormalizedValue, entry.PlainToNormalized(entry.defaultValue));
    EXPECT_EQ(info.flags, ParameterInfo::kCanAutomate);
    EXPECT_EQ(info.unitId, 0);
  }
}

TEST_F(ControllerTest, KnownParametersByTitleUnitsAndSteps) {
  auto plug = Make();
  struct Case { int32 index; const char* title; const char* units; int32 steps; };
  const Case cases[] = {
      {1, "Base Freq", "Hz", 0}, {2, "Isochronic", "Hz", 0}, {3, "Round", "%", 100},
      {4, "Wave", "", 7},        {5, "Pan", "%", 200},       {10, "Volume", "%", 100},
  };
  for (const Case& c : cases) {
    ParameterInfo info;
    ASSERT_TRUE(plug->ParamInfo(c.index, info));
    EXPECT_EQ(NarrowText(info.title), c.title);
    EXPECT_EQ(NarrowText(info.units), c.units);
    EXPECT_EQ(info.stepCount, c.steps) << c.title;
  }
}

TEST_F(ControllerTest, StringConversionsBothWays) {
  auto plug = Make();
  IEditController* ctl = plug->Controller();
  // Value texts, numbers with the entry's precision, and "0" for zero.
  EXPECT_EQ(plug->ValueText(kWave, 2.0 / 7.0), "Saw");
  EXPECT_EQ(plug->ValueText(kIsoRate, ctl->plainParamToNormalized(kIsoRate, 7.83)), "7.83");
  EXPECT_EQ(plug->ValueText(kPan, 0.5), "0");
  EXPECT_EQ(plug->ValueText(kVolume, 0.9), "90");
  String128 text = {};
  EXPECT_EQ(ctl->getParamStringByValue(kPrst, 0.5, text), kResultFalse);
  EXPECT_EQ(ctl->getParamStringByValue(25, 0.5, text), kResultFalse);

  String128 typed;
  const char* entry = "50 %";
  for (int i = 0; i <= 4; ++i) typed[i] = static_cast<TChar>(entry[i]);
  ParamValue value = -1;
  ASSERT_EQ(ctl->getParamValueByString(kVolume, typed, value), kResultOk);
  EXPECT_DOUBLE_EQ(value, 0.5);
  typed[0] = 'x';
  EXPECT_EQ(ctl->getParamValueByString(kVolume, typed, value), kResultFalse);
  EXPECT_EQ(ctl->getParamValueByString(99, typed, value), kResultFalse);
  // Value texts are read back too.
  EXPECT_EQ(ctl->getParamValueByString(kWave, WideText("Saw").data(), value), kResultOk);
  EXPECT_DOUBLE_EQ(value, 2.0 / 7.0);

  // Plain <-> normalised through each parameter's curve.
  EXPECT_DOUBLE_EQ(ctl->normalizedParamToPlain(kPan, 0.75), 50.0);
  EXPECT_DOUBLE_EQ(ctl->plainParamToNormalized(kPan, 50.0), 0.75);
  EXPECT_DOUBLE_EQ(ctl->plainParamToNormalized(kPrst, kNumPresetSlots - 1.0), 1.0);
  EXPECT_DOUBLE_EQ(ctl->plainParamToNormalized(12345, 0.3), 0.3);
  EXPECT_DOUBLE_EQ(ctl->normalizedParamToPlain(12345, 0.3), 0.3);
}

// Bypass is a host parameter after the instrument's 25, which the host's
// bypass button binds to.
TEST_F(ControllerTest, BypassIsTheLastParameter) {
  auto plug = Make();
  ParameterInfo info;
  ASSERT_TRUE(plug->ParamInfo(26, info));
  EXPECT_EQ(info.id, kBpas);
  EXPECT_EQ(NarrowText(info.title), "Bypass");
  EXPECT_EQ(info.stepCount, 1);
  EXPECT_EQ(info.flags, ParameterInfo::kCanAutomate | ParameterInfo::kIsBypass);
  EXPECT_EQ(plug->ValueText(kBpas, 0.0), "Off");
  EXPECT_EQ(plug->ValueText(kBpas, 1.0), "On");
  ParamValue value = -1;
  IEditController* ctl = plug->Controller();
  EXPECT_EQ(ctl->getParamValueByString(kBpas, WideText("On").data(), value), kResultOk);
  EXPECT_EQ(value, 1.0);
  EXPECT_EQ(ctl->setParamNormalized(kBpas, 1.0), kResultOk);
  EXPECT_EQ(ctl->getParamNormalized(kBpas), 1.0);
}

// The same host value means the same thing through the controller, a
// process queue and the value text: on from 0.5 up, off below and for NaN.
TEST_F(ControllerTest, BypassReadsEveryHostValueOneWay) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case { double value; bool on; } cases[] = {
      {nan, false}, {-inf, false}, {-1.0, false}, {0.0, false}, {0.3, false},
      {0.5, true},  {0.7, true},   {1.0, true},   {2.0, true},  {inf, true},
  };
  auto plug = Make();
  ASSERT_EQ(plug->Setup(48000.0, 64, kSample32), kResultOk);
  IEditController* ctl = plug->Controller();
  StereoBuffers<float> in(64), out(64);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    const double shown = c.on ? 1.0 : 0.0;
    ASSERT_EQ(ctl->setParamNormalized(kBpas, 1.0 - shown), kResultOk);
    ASSERT_EQ(ctl->setParamNormalized(kBpas, c.value), kResultOk);
    EXPECT_EQ(ctl->getParamNormalized(kBpas), shown) << "controller";

    ASSERT_EQ(ctl->setParamNormalized(kBpas, 1.0 - shown), kResultOk);
    ParameterChanges changes;
    changes.Add(kBpas, c.value);
    ASSERT_EQ(plug->Process(64, 2, in.pointers, out.pointers, &changes), kResultOk);
    EXPECT_EQ(ctl->getParamNormalized(kBpas), shown) << "process queue";

    EXPECT_EQ(plug->ValueText(kBpas, c.value), c.on ? "On" : "Off") << "text";
  }
}

// A program chosen in the host's menu reaches the controller at once, and
// the host is told to read the values again at the plug-in's next turn.
TEST_F(ControllerTest, ProgramsChosenByTheHostShowTheirValues) {
  auto plug = Make();
  IEditController* ctl = plug->Controller();
  CLS_ONDIVOX reference;
  ASSERT_TRUE(reference.SelectPreset(40));
  handler.Clear();
  EXPECT_EQ(ctl->setParamNormalized(kPrst, ProgramValue(40)), kResultOk);
  EXPECT_DOUBLE_EQ(ctl->getParamNormalized(kPrst), ProgramValue(40));
  for (ParamID id = 0; id < 25; ++id)
    EXPECT_DOUBLE_EQ(ctl->getParamNormalized(id), reference.Param(id)->NormalizedValue()) << id;
  EXPECT_TRUE(handler.Calls().empty()) << "told inside the host's call";
  ASSERT_TRUE(turns.RunUntil([&] { return !handler.Calls().empty(); }, 3000));
  EXPECT_EQ(handler.Calls().front().kind, ComponentHandler::Kind::kRestart);
  EXPECT_EQ(static_cast<int32>(handler.Calls().front().value), kParamValuesChanged);
}

// A program change in a process queue is never announced from the audio
// thread, nor inside the host's next calls: the plug-in's next turn on the
// UI thread tells it.
TEST_F(ControllerTest, ProgramChangesFromProcessAreAnnouncedOnTheUiThread) {
  auto plug = Make();
  ASSERT_EQ(plug->Setup(48000.0, 256, kSample64), kResultOk);
  handler.Clear();
  ParameterChanges changes;
  changes.Add(kPrst, ProgramValue(40));
  ASSERT_EQ(plug->Flush(&changes), kResultOk);
  EXPECT_TRUE(handler.Calls().empty());
  CLS_ONDIVOX reference;
  ASSERT_TRUE(reference.SelectPreset(40));
  EXPECT_DOUBLE_EQ(plug->Controller()->getParamNormalized(kBaseFreq),
                   reference.Param(kBaseFreq)->NormalizedValue());
  EXPECT_TRUE(handler.Calls().empty());
  ASSERT_TRUE(turns.RunUntil([&] { return !handler.Calls().empty(); }, 3000));
  turns.Run(2 * HostNotifier::kPeriodMs);
  ASSERT_EQ(handler.Calls().size(), 1u);
  EXPECT_EQ(handler.Calls()[0].kind, ComponentHandler::Kind::kRestart);
  EXPECT_EQ(static_cast<int32>(handler.Calls()[0].value), kParamValuesChanged);
  EXPECT_EQ(handler.Calls().size(), 1u);  // once per change
}

TEST_F(ControllerTest, ValuesSetByTheController) {
  auto plug = Make();
  IEditController* ctl = plug->Controller();
  EXPECT_EQ(ctl->setParamNormalized(kBpas, 1.0), kResultOk);
  EXPECT_EQ(ctl->getParamNormalized(kBpas), 1.0);
  EXPECT_EQ(ctl->setParamNormalized(kVolume, 0.5), kResultOk);
  EXPECT_DOUBLE_EQ(ctl->getParamNormalized(kVolume), 0.5);
  EXPECT_EQ(ctl->setParamNormalized(4711, 0.5), kResultFalse);
  EXPECT_EQ(ctl->getParamNormalized(4711), 0.0);
}

TEST_F(ControllerTest, OneRootUnitWithTheFactoryPresets) {
  auto plug = Make();
  IUnitInfo* units = plug->Units();
  ASSERT_NE(units, nullptr);
  EXPECT_EQ(units->getUnitCount(), 1);
  UnitInfo unit;
  ASSERT_EQ(units->getUnitInfo(0, unit), kResultOk);
  EXPECT_EQ(unit.id, 0);
  EXPECT_EQ(unit.parentUnitId, -1);
  EXPECT_EQ(NarrowText(unit.name), "Root Unit");
  EXPECT_EQ(unit.programListId, static_cast<ProgramListID>(kPrst));
  EXPECT_EQ(units->getUnitInfo(1, unit), kResultFalse);
  EXPECT_EQ(units->getUnitInfo(-1, unit), kResultFalse);

  EXPECT_EQ(units->getProgramListCount(), 1);
  ProgramListInfo list;
  ASSERT_EQ(units->getProgramListInfo(0, list), kResultOk);
  EXPECT_EQ(list.id, static_cast<ProgramListID>(kPrst));
  EXPECT_EQ(NarrowText(list.name), "Factory Presets");
  EXPECT_EQ(list.programCount, 150);
  EXPECT_EQ(units->getProgramListInfo(1, list), kResultFalse);
}

TEST_F(ControllerTest, ProgramNamesAreThePresetStore) {
  auto plug = Make();
  CLS_ONDIVOX reference;
  String128 name;
  for (int32 i = 0; i < 150; ++i) {
    ASSERT_EQ(plug->Units()->getProgramName(kPrst, i, name), kResultOk);
    EXPECT_EQ(NarrowText(name), reference.PresetName(i)) << i;
  }
  ASSERT_EQ(plug->Units()->getProgramName(kPrst, 150, name), kResultOk);
  EXPECT_EQ(NarrowText(name), "");
  EXPECT_EQ(plug->Units()->getProgramName(1234, 0, name), kResultFalse);
}

TEST_F(ControllerTest, ControllerStateCarriesNothingAndComponentStateIsSeparate) {
  auto plug = Make();
  MemoryStream controllerStream;
  EXPECT_EQ(plug->Controller()->getState(&controllerStream), kResultOk);
  EXPECT_TRUE(controllerStream.Bytes().empty());
  EXPECT_EQ(plug->Controller()->setComponentState(&controllerStream), kNotImplemented);
  EXPECT_EQ(plug->SaveState().size(), 200u);
}

TEST_F(ControllerTest, ControllerExtrasAnswerAsFixed) {
  auto plug = Make();
  void* obj = nullptr;
  ASSERT_EQ(plug->Controller()->queryInterface(IEditController2::iid, &obj), kResultOk);
  auto* ctl2 = static_cast<IEditController2*>(obj);
  EXPECT_EQ(ctl2->setKnobMode(kLinearMode), kResultOk);
  EXPECT_EQ(ctl2->openHelp(false), kResultFalse);
  EXPECT_EQ(ctl2->openAboutBox(false), kResultFalse);
  ctl2->release();
  EXPECT_EQ(plug->Controller()->createView("Editor"), nullptr);
  EXPECT_EQ(plug->Controller()->createView(nullptr), nullptr);
}
