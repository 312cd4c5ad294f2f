// A render interrupted while it writes: the earlier file of that name
// survives byte for byte, and what was half written is removed.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "ToolFiles.h"
#include "ToolRunner.h"

namespace {

const char kEarlier[] = "an earlier render that must survive";

// Waits until the render is under way: its hidden file has grown past 1 MB.
bool WaitUntilWriting(const std::string& dir) {
  for (int i = 0; i < 600; ++i) {
    for (const std::string& name : FilesIn(dir))
      if (name.rfind(".out.wav.", 0) == 0 && std::filesystem::file_size(dir + "/" + name) > (1u << 20)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

}  // namespace

TEST(OndivoxInterrupt, InterruptedRenderLeavesTheEarlierFile) {
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(strsignal(signal));
    const std::string dir = ScratchDir("interrupt");
    std::ofstream(dir + "/out.wav", std::ios::binary) << kEarlier;
    RunningTool tool("render --seconds 3600 -o " + dir + "/out.wav");
    ASSERT_TRUE(WaitUntilWriting(dir)) << FileText(std::string(ONDIVOX_TEST_SCRATCH) + "/running.err");
    ToolRun run = tool.Stop(signal);
    EXPECT_EQ(run.signal, signal) << "ends as interrupted, so a calling shell knows";
    EXPECT_EQ(run.err, "ondivox: interrupted; " + dir + "/out.wav was not written\n");
    EXPECT_TRUE(run.out.empty()) << run.out;
    EXPECT_EQ(FilesIn(dir), std::vector<std::string>({"out.wav"}));
    EXPECT_EQ(FileText(dir + "/out.wav"), kEarlier);
  }
}

// Nothing can clean up after SIGKILL, but the earlier file is still whole.
TEST(OndivoxInterrupt, KilledRenderLeavesTheEarlierFile) {
  const std::string dir = ScratchDir("kill");
  std::ofstream(dir + "/out.wav", std::ios::binary) << kEarlier;
  RunningTool tool("render --seconds 3600 -o " + dir + "/out.wav");
  ASSERT_TRUE(WaitUntilWriting(dir));
  ToolRun run = tool.Stop(SIGKILL);
  EXPECT_EQ(run.signal, SIGKILL);
  EXPECT_EQ(FileText(dir + "/out.wav"), kEarlier);
}
