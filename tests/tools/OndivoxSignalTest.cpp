// What only POSIX systems have: signals and devices. A render interrupted
// while it writes leaves the earlier file of that name byte for byte and
// removes what was half written; a device is written in place.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>

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

TEST(OndivoxDevices, DevicesAreWrittenInPlaceAndEveryWriteIsChecked) {
  const std::string dir = ScratchDir("devices");
  const std::string beside = dir + "/earlier.wav";
  ExpectFailure("render --seconds 1 -o /dev/full", 1, "cannot write /dev/full: No space left on device", beside);
  ExpectFailure("state save -o /dev/full", 1, "cannot write /dev/full: No space left on device", beside);
  ExpectFailure("render --state /dev/zero -o " + beside, 1, "not a state file (more than 200 bytes, expected 200)",
                beside);
  const std::string toolOut = "'" + std::string(ONDIVOX_TOOL_PATH) + "' info >/dev/full 2>" + dir + "/err.txt";
  int status = std::system(toolOut.c_str());
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_EQ(FileText(dir + "/err.txt"), "ondivox: cannot write the standard output\n");

  // A device is never replaced by a file, even for a user who may.
  ToolRun null = RunTool("render --seconds 1 -o /dev/null");
  EXPECT_EQ(null.exitCode, 0) << null.err;
  struct stat st;
  ASSERT_EQ(stat("/dev/null", &st), 0);
  EXPECT_TRUE(S_ISCHR(st.st_mode));
}

// A write that fails halfway through the render (here at a file-size limit of
// 512 KB, reached on the encoder's thread) stops the render and is reported;
// the partial file goes.
TEST(OndivoxDevices, AWriteFailingMidRenderRemovesThePartialFile) {
  const std::string dir = ScratchDir("limit");
  std::ofstream(dir + "/out.wav", std::ios::binary) << kEarlier;
  const std::string command = "ulimit -f 1000; exec '" + std::string(ONDIVOX_TOOL_PATH) + "' render --seconds 60 -o " +
                              dir + "/out.wav 2>" + dir + "/err.txt";
  int status = std::system(command.c_str());
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_EQ(FileText(dir + "/err.txt"), "ondivox: cannot write " + dir + "/out.wav: File too large\n");
  EXPECT_EQ(FilesIn(dir), std::vector<std::string>({"err.txt", "out.wav"}));
  EXPECT_EQ(FileText(dir + "/out.wav"), kEarlier);
}
