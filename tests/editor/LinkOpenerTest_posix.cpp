// Links go to xdg-open as one argument of a program started directly, so
// nothing in a link can run as a shell command.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "EditorTestHost.h"

namespace {

// A PATH whose xdg-open writes its arguments, one a line, to a file.
struct FakeOpener {
  std::string dir;
  std::string oldPath;
  FakeOpener() {
    char tmpl[] = "/tmp/ondivox-opener-XXXXXX";
    dir = mkdtemp(tmpl);
    std::string script = dir + "/xdg-open";
    std::ofstream(script) << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" << dir
                          << "/args.part\"\nmv \"" << dir << "/args.part\" \"" << dir << "/args\"\n";
    chmod(script.c_str(), 0755);
    oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", (dir + ":" + oldPath).c_str(), 1);
  }
  ~FakeOpener() {
    setenv("PATH", oldPath.c_str(), 1);
    std::system(("rm -rf '" + dir + "'").c_str());
  }
  // What xdg-open was given, once it has run.
  std::string Arguments() const {
    for (int i = 0; i < 500; ++i) {
      std::ifstream in(dir + "/args");
      if (in) {
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return "(never ran)";
  }
};

}  // namespace

TEST(LinkOpenerTest, TheLinkIsOneArgumentAndNeverAShellCommand) {
  FakeOpener opener;
  EditorHarness h;
  std::string marker = opener.dir + "/ran";
  std::string url = "https://example.org/a b;touch " + marker + "&x=$(touch " + marker + ")";
  ASSERT_TRUE(h.editor->OpenUrl(url.c_str(), "Ondivox", nullptr, nullptr));
  EXPECT_EQ(opener.Arguments(), url + "\n");
  EXPECT_NE(access(marker.c_str(), F_OK), 0) << "part of the link ran as a command";
}

TEST(LinkOpenerTest, NothingOpensWithoutAWayToAskOrAnywhereToGo) {
  FakeOpener opener;
  EditorHarness h;
  // No desktop dialog can ask the question a confirmation text wants answered.
  EXPECT_FALSE(h.editor->OpenUrl("https://example.org/", "Ondivox", "Open the site?", nullptr));
  EXPECT_FALSE(h.editor->OpenUrl("", "Ondivox", nullptr, nullptr));
  EXPECT_FALSE(h.editor->OpenUrl(nullptr, "Ondivox", nullptr, nullptr));
  setenv("PATH", "/nonexistent", 1);
  EXPECT_FALSE(h.editor->OpenUrl("https://example.org/", "Ondivox", nullptr, nullptr));
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_NE(access((opener.dir + "/args").c_str(), F_OK), 0);
}
