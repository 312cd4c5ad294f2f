// The same programs rendered by this platform's bundle. The native build
// keeps its renders as references; the Windows build, run after it, must
// match them sample for sample.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "tools/host/ComponentHandler.h"
#include "tools/host/HostApplication.h"
#include "tools/host/PluginInstance.h"
#include "tools/host/PluginModule.h"
#include "tools/host/Renderer.h"
#include "tools/wav/WavFile.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

constexpr ParamID kProgramChange = 0x70727374;
constexpr double kSeconds = 3.0;

// Pulse programs, carriers, golden shapes, free and tempo-synced LFOs.
const int kPrograms[] = {0, 1, 5, 20, 40, 60, 90, 127, 140};

WavAudio RenderProgram(PluginModule& module, int program) {
  HostApplication app;
  ComponentHandler handler;
  std::string error;
  auto plug = PluginInstance::Create(module.Factory(), &app, &handler, &error);
  EXPECT_TRUE(plug) << error;
  WavAudio out;
  if (!plug) return out;
  ParameterChanges changes;
  changes.Add(kProgramChange, program / 149.0);
  plug->Flush(&changes);
  RenderSettings settings;
  settings.frames = static_cast<int64_t>(kSeconds * settings.sampleRate);
  EXPECT_TRUE(Render(*plug, settings, RenderProgress(), &out));
  return out;
}

std::string ReferencePath(const std::string& dir, int program) {
  return dir + "/program" + std::to_string(program) + ".wav";
}

}  // namespace

TEST(RenderParity, ProgramsRenderTheSameOnEveryPlatform) {
  PluginModule module;
  ASSERT_TRUE(module.Load(ONDIVOX_BUNDLE_PATH)) << module.Error();
  for (int program : kPrograms) {
    SCOPED_TRACE(program);
    WavAudio out = RenderProgram(module, program);
    ASSERT_EQ(out.Frames(), static_cast<std::size_t>(kSeconds * 48000));
#ifdef ONDIVOX_PARITY_REFERENCE_DIR
    WavAudio reference;
    std::string error;
    if (!ReadWav(ReferencePath(ONDIVOX_PARITY_REFERENCE_DIR, program), &reference, &error))
      GTEST_SKIP() << "no native reference renders (build and test the native target first): " << error;
    ASSERT_EQ(reference.Frames(), out.Frames());
    double worst = 0.0;
    std::size_t where = 0;
    for (int side = 0; side < 2; ++side)
      for (std::size_t i = 0; i < out.Frames(); ++i) {
        double d = std::fabs(out.channels[side][i] - reference.channels[side][i]);
        if (d > worst) worst = d, where = i;
      }
    std::printf("program %d: largest difference from the native render %.3g (frame %zu)\n", program, worst,
                where);
    EXPECT_LE(worst, 1e-9);
#else
    std::string error;
    ASSERT_TRUE(WriteWav(ReferencePath(ONDIVOX_PARITY_DIR, program), out, WavFormat::kFloat64, &error)) << error;
#endif
  }
}
