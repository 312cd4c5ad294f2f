#include "BundleFixture.h"

PluginModule* BundleTest::module = nullptr;

void BundleTest::SetUpTestSuite() {
  if (module) return;
  module = new PluginModule();
  ASSERT_TRUE(module->Load(ONDIVOX_BUNDLE_PATH)) << module->Error();
}

void BundleTest::TearDownTestSuite() {
  delete module;
  module = nullptr;
}

std::unique_ptr<PluginInstance> BundleTest::Make(const std::string& hostName) {
  apps.push_back(std::make_unique<HostApplication>(hostName));
  std::string error;
  auto plug = PluginInstance::Create(module->Factory(), apps.back().get(), &handler, &error);
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
