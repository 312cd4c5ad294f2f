#include "BundleFixture.h"

std::shared_ptr<PluginModule> BundleTest::module;

void BundleTest::SetUpTestSuite() {
  if (module) return;
  std::string error;
  module = LoadBundle(ONDIVOX_BUNDLE_PATH, &error);
  ASSERT_TRUE(module) << error;
}

void BundleTest::TearDownTestSuite() { module.reset(); }

std::unique_ptr<PluginInstance> BundleTest::Make(const std::string& hostName) {
  std::string error;
  auto plug = PluginInstance::Open(module, PluginHost{hostName, &handler}, &error);
  EXPECT_TRUE(plug) << error;
  return plug;
}

ProcessContext PlayingContext(double rate, int64 position, double tempo) {
  ProcessContext context = {};
  context.state = ProcessContext::kPlaying | ProcessContext::kTempoValid |
                  ProcessContext::kTimeSigValid | ProcessContext::kProjectTimeMusicValid;
  context.sampleRate = rate;
  context.projectTimeSamples = position;
  context.tempo = tempo;
  context.timeSigNumerator = 4;
  context.timeSigDenominator = 4;
  context.projectTimeMusic = position / rate * tempo / 60.0;
  return context;
}
