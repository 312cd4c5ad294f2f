// Loads the built Ondivox bundle through its entry points once per test
// program, and makes initialised plug-in instances from its factory.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "instrument/OndivoxParams.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"
#include "tools/host/ComponentHandler.h"
#include "tools/host/MemoryStream.h"
#include "tools/host/PluginInstance.h"
#include "UiTurns.h"
#include "vst3/EffectVST3.h"

namespace Steinberg { namespace Vst {} }
using namespace Steinberg;
using namespace Steinberg::Vst;

constexpr ParamID kPrst = IEffectVST3::kProgramChangeId;
constexpr ParamID kBpas = IEffectVST3::kBypassId;

// The program-change value that selects program index, as a host sends it.
constexpr double ProgramValue(int index) { return index / (kNumPresetSlots - 1.0); }

class BundleTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();

  // A new instance, initialised with a host of the given name.
  std::unique_ptr<PluginInstance> Make(const std::string& hostName = "Ondivox Test Host");

  static std::shared_ptr<PluginModule> module;
  // The plug-in tells its host of changes in turns of its own: RunUntil
  // gives them.
  UiTurns turns;
  TurnsHandler handler{turns};  // shared by the instances the test makes
};

// Stereo block buffers of one sample type.
template <typename T>
struct StereoBuffers {
  explicit StereoBuffers(int frames, T fill = T(0))
      : left(frames, fill), right(frames, fill), pointers{left.data(), right.data()} {}
  std::vector<T> left, right;
  T* pointers[2];
};

// A host's 16-bit text, terminated.
inline std::vector<TChar> WideText(const std::string& text) {
  std::vector<TChar> wide(text.begin(), text.end());
  wide.push_back(0);
  return wide;
}

// A context with the transport playing at the given position.
ProcessContext PlayingContext(double rate, int64 position, double tempo = 120.0);
