// The example sessions render, whole, to the samples they rendered to when
// the references below were taken; a change to how sessions are mixed must
// leave a session without layers as it was.
#include <gtest/gtest.h>

#include <cstdio>

#include "FlacDecode.h"
#include "RenderSignature.h"
#include "ToolRunner.h"

namespace {

struct ExampleReference {
  const char* name;
  Signature signature;
};

// 16-bit FLAC renders: the kernels' last-bit differences between platforms
// do not reach 16 bits, while any change to the mix moves many samples.
const ExampleReference kExamples[] = {
#include "ExampleSessionReferences.inc"
};

WavAudio FromFlac(const FlacAudio& flac) {
  WavAudio audio;
  audio.sampleRate = flac.rate;
  audio.channels.resize(flac.channels.size());
  for (std::size_t c = 0; c < flac.channels.size(); ++c)
    for (int32_t v : flac.channels[c]) audio.channels[c].push_back(v / 32768.0);
  return audio;
}

}  // namespace

TEST(ExampleSessions, RenderAsTheyDidBefore) {
  const std::string dir = ScratchDir("examples");
  for (const ExampleReference& example : kExamples) {
    SCOPED_TRACE(example.name);
    const std::string out = dir + "/" + example.name + ".flac";
    const ToolRun run = RunTool(std::string("render --quiet --session ") + ONDIVOX_EXAMPLES_DIR + "/" + example.name +
                                ".txt --format flac16 -o " + out);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const FlacAudio flac = DecodeFlac(out);
    ASSERT_TRUE(flac.ok) << flac.error;
    std::remove(out.c_str());
    const Signature got = SignatureOf(FromFlac(flac));
    ExpectSignature(got, example.signature);
    if (HasFailure()) std::printf("{\"%s\", %s},\n", example.name, SignatureText(got).c_str());
  }
}
