// Programs rendered by this platform's bundle, held to signatures of the
// reference renders checked in below: both platforms compare with the same
// numbers, and neither can skip.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "RenderSignature.h"
#include "instrument/OndivoxParams.h"
#include "tools/host/PluginInstance.h"
#include "tools/host/Renderer.h"
#include "tools/wav/WavFile.h"
#include "vst3/EffectVST3.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

constexpr double kSeconds = 3.0;

struct Reference {
  int program;  // pulse programs, carriers, golden shapes, free and tempo-synced LFOs
  Signature signature;
};

// Rendered with the release that introduced them (48 kHz, 120 BPM, 3 s from
// song position 0); printed by this test when a render differs.
const Reference kReferences[] = {
#include "RenderParityReferences.inc"
};

WavAudio RenderProgram(const std::shared_ptr<PluginModule>& module, int program) {
  std::string error;
  auto plug = PluginInstance::Open(module, PluginHost(), &error);
  EXPECT_TRUE(plug) << error;
  WavAudio out;
  if (!plug) return out;
  RenderSettings settings;
  // The program is sent as the tool sends it: to a plug-in set up before the render.
  EXPECT_EQ(plug->Setup(settings.sampleRate, settings.blockSize, kSample64, kOffline), kResultOk);
  ParameterChanges changes;
  changes.Add(IEffectVST3::kProgramChangeId, program / (kNumPresetSlots - 1.0));
  EXPECT_EQ(plug->Flush(&changes), kResultOk) << plug->Error();
  settings.frames = static_cast<int64_t>(kSeconds * settings.sampleRate);
  EXPECT_TRUE(Render(*plug, settings, RenderProgress(), &out));
  return out;
}

}  // namespace

TEST(RenderParity, ProgramsRenderAsTheReferencesOnEveryPlatform) {
  std::string error;
  std::shared_ptr<PluginModule> module = LoadBundle(ONDIVOX_BUNDLE_PATH, &error);
  ASSERT_TRUE(module) << error;
  for (const Reference& r : kReferences) {
    SCOPED_TRACE(r.program);
    WavAudio out = RenderProgram(module, r.program);
    ASSERT_EQ(out.Frames(), static_cast<std::size_t>(kSeconds * 48000));
    ASSERT_EQ(out.channels.size(), 2u);
    const Signature got = SignatureOf(out);
    ExpectSignature(got, r.signature);
    if (HasFailure()) std::printf("    {%d, %s},\n", r.program, SignatureText(got).c_str());
  }
}
