// What only POSIX systems have: signals, devices and pipes in a shell. A
// render interrupted while it writes leaves the earlier file of that name
// byte for byte and removes what was half written; a device is written in
// place; a stream's reader may go away.
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

// Waits until the render is under way: the hidden file for output has grown past 1 MB.
bool WaitUntilWriting(const std::string& dir, const std::string& output = "out.wav") {
  for (int i = 0; i < 600; ++i) {
    for (const std::string& name : FilesIn(dir))
      if (name.rfind("." + output + ".", 0) == 0 && std::filesystem::file_size(dir + "/" + name) > (1u << 20))
        return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

}  // namespace

TEST(OndivoxInterrupt, InterruptedRenderLeavesTheEarlierFile) {
  struct Case {
    int signal;
    std::string output;
  };
  const Case cases[] = {{SIGINT, "out.wav"}, {SIGTERM, "out.wav"}, {SIGHUP, "out.wav"}, {SIGINT, "out.flac"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(strsignal(c.signal)) + " " + c.output);
    const std::string dir = ScratchDir("interrupt"), path = dir + "/" + c.output;
    std::ofstream(path, std::ios::binary) << kEarlier;
    RunningTool tool("render --seconds 3600 -o " + path);
    ASSERT_TRUE(WaitUntilWriting(dir, c.output)) << FileText(std::string(ONDIVOX_TEST_SCRATCH) + "/running.err");
    ToolRun run = tool.Stop(c.signal);
    EXPECT_EQ(run.signal, c.signal) << "ends as interrupted, so a calling shell knows";
    EXPECT_EQ(run.err, "ondivox: interrupted; " + path + " was not written\n");
    EXPECT_TRUE(run.out.empty()) << run.out;
    EXPECT_EQ(FilesIn(dir), std::vector<std::string>({c.output}));
    EXPECT_EQ(FileText(path), kEarlier);
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
  ExpectFailure("render --seconds 1 --format flac24 -o /dev/full", 1, "cannot write /dev/full: No space left on device",
                beside);
  ExpectFailure("state save -o /dev/full", 1, "cannot write /dev/full: No space left on device", beside);
  ExpectFailure("render --state /dev/zero -o " + beside, 1, "not a state file (more than 208 bytes, expected 200, or 208 saved while bypassed)",
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
  for (const std::string output : {"out.wav", "out.flac"}) {
    SCOPED_TRACE(output);
    const std::string dir = ScratchDir("limit"), path = dir + "/" + output;
    std::ofstream(path, std::ios::binary) << kEarlier;
    const std::string command = "ulimit -f 1000; exec '" + std::string(ONDIVOX_TOOL_PATH) +
                                "' render --seconds 60 -o " + path + " 2>" + dir + "/err.txt";
    int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(FileText(dir + "/err.txt"), "ondivox: cannot write " + path + ": File too large\n");
    EXPECT_EQ(FilesIn(dir), std::vector<std::string>({"err.txt", output}));
    EXPECT_EQ(FileText(path), kEarlier);
  }
}

namespace {

// A shell command line; answers its exit status.
int Shell(const std::string& command) {
  int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Tool() { return "'" + std::string(ONDIVOX_TOOL_PATH) + "'"; }

}  // namespace

// Through a real pipe, which cannot be rewound: the same bytes as the file.
TEST(OndivoxPipes, APipedStreamIsTheWavAFileWouldHold) {
  const std::string dir = ScratchDir("pipe");
  ASSERT_EQ(Shell(Tool() + " render --seconds 2 --set Wave=Square -o " + dir + "/a.wav >/dev/null"), 0);
  Shell("{ " + Tool() + " render --seconds 2 --set Wave=Square -o - 2>" + dir + "/err.txt; echo $? >" + dir +
        "/status.txt; } | cat >" + dir + "/piped.wav");
  ASSERT_EQ(FileText(dir + "/status.txt"), "0\n") << FileText(dir + "/err.txt");
  EXPECT_TRUE(FileText(dir + "/piped.wav") == FileText(dir + "/a.wav"));
  EXPECT_EQ(FileText(dir + "/err.txt").rfind("wrote the standard output: 2.00 s", 0), 0u);
}

// A player that quits closes the pipe: the render ends there, quietly, with
// the exit code a shell gives a program ended by a closed pipe. Here a plan
// of 7 hours, past what a WAV's sizes can say: its header says "to the end".
TEST(OndivoxPipes, AReaderThatQuitsEndsTheRenderQuietly) {
  const std::string dir = ScratchDir("closed");
  // Through a named pipe, so the shell becomes the tool and its status is the tool's own.
  const std::string fifo = dir + "/fifo";
  const int status = std::system(("mkfifo " + fifo + " && { head -c 44 <" + fifo + " >" + dir + "/head.wav & exec " +
                                  Tool() + " render --seconds 25200 -o - >" + fifo + " 2>" + dir + "/err.txt; }")
                                     .c_str());
  EXPECT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
  EXPECT_EQ(WEXITSTATUS(status), 141);
  EXPECT_EQ(FileText(dir + "/err.txt"), "");
  const std::string head = FileText(dir + "/head.wav");
  ASSERT_EQ(head.size(), 44u);
  EXPECT_EQ(head.substr(0, 4), "RIFF");
  EXPECT_EQ(head.substr(4, 4), "\xFF\xFF\xFF\xFF");
  EXPECT_EQ(head.substr(36, 8), std::string("data") + "\xFF\xFF\xFF\xFF");
}

// Audio is never written to a terminal: the user forgot the pipe.
TEST(OndivoxPipes, AStreamToATerminalIsRefused) {
  if (Shell("command -v script >/dev/null 2>&1") != 0) GTEST_SKIP() << "no script(1) to make a terminal";
  const std::string dir = ScratchDir("terminal");
  const int status =
      Shell("script -qec \"" + Tool() + " render --seconds 1 -o -\" /dev/null >" + dir + "/tty.txt 2>&1");
  EXPECT_EQ(status, 2);
  EXPECT_NE(FileText(dir + "/tty.txt").find("the standard output is a terminal; pipe it into a player"),
            std::string::npos)
      << FileText(dir + "/tty.txt");
}
