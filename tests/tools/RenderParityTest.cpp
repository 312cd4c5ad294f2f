// Programs rendered by this platform's bundle, held to signatures of the
// reference renders checked in below: both platforms compare with the same
// numbers, and neither can skip. A signature sums each channel three ways
// (plain, squared, weighted by the position in each 1000-frame stretch), so
// a change of level, shape or timing moves it; the tolerance admits only the
// rounding a faster kernel may differ by.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "instrument/OndivoxParams.h"
#include "tools/host/ComponentHandler.h"
#include "tools/host/HostApplication.h"
#include "tools/host/PluginInstance.h"
#include "tools/host/PluginModule.h"
#include "tools/host/Renderer.h"
#include "tools/wav/WavFile.h"
#include "vst3/EffectVST3.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

constexpr double kSeconds = 3.0;

struct Signature {
  double sum[2], squares[2], weighted[2];
};

struct Reference {
  int program;  // pulse programs, carriers, golden shapes, free and tempo-synced LFOs
  Signature signature;
};

// Rendered with the release that introduced them (48 kHz, 120 BPM, 3 s from
// song position 0); printed by this test when a render differs.
const Reference kReferences[] = {
#include "RenderParityReferences.inc"
};

Signature SignatureOf(const WavAudio& audio) {
  Signature s = {};
  for (int c = 0; c < 2; ++c)
    for (std::size_t i = 0; i < audio.Frames(); ++i) {
      const double x = audio.channels[c][i];
      s.sum[c] += x;
      s.squares[c] += x * x;
      s.weighted[c] += x * static_cast<double>(i % 1000) / 1000.0;
    }
  return s;
}

void ExpectClose(double got, double want, const char* what) {
  EXPECT_NEAR(got, want, 1e-6 + 1e-9 * std::fabs(want)) << what;
}

WavAudio RenderProgram(PluginModule& module, int program) {
  HostApplication app;
  ComponentHandler handler;
  std::string error;
  auto plug = PluginInstance::Create(module.Factory(), &app, &handler, &error);
  EXPECT_TRUE(plug) << error;
  WavAudio out;
  if (!plug) return out;
  ParameterChanges changes;
  changes.Add(IEffectVST3::kProgramChangeId, program / (kNumPresetSlots - 1.0));
  plug->Flush(&changes);
  RenderSettings settings;
  settings.frames = static_cast<int64_t>(kSeconds * settings.sampleRate);
  EXPECT_TRUE(Render(*plug, settings, RenderProgress(), &out));
  return out;
}

}  // namespace

TEST(RenderParity, ProgramsRenderAsTheReferencesOnEveryPlatform) {
  PluginModule module;
  ASSERT_TRUE(module.Load(ONDIVOX_BUNDLE_PATH)) << module.Error();
  for (const Reference& r : kReferences) {
    SCOPED_TRACE(r.program);
    WavAudio out = RenderProgram(module, r.program);
    ASSERT_EQ(out.Frames(), static_cast<std::size_t>(kSeconds * 48000));
    ASSERT_EQ(out.channels.size(), 2u);
    const Signature got = SignatureOf(out);
    for (int c = 0; c < 2; ++c) {
      ExpectClose(got.sum[c], r.signature.sum[c], "sum");
      ExpectClose(got.squares[c], r.signature.squares[c], "squares");
      ExpectClose(got.weighted[c], r.signature.weighted[c], "weighted");
    }
    if (HasFailure())
      std::printf("    {%d, {{%.17g, %.17g}, {%.17g, %.17g}, {%.17g, %.17g}}},\n", r.program, got.sum[0],
                  got.sum[1], got.squares[0], got.squares[1], got.weighted[0], got.weighted[1]);
  }
}
