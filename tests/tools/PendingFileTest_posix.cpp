// What replacing a file keeps on POSIX systems: a target that is a symbolic
// link stays a link, and the file behind it keeps its permissions.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "FileScratch.h"
#include "tools/files/PendingFile.h"

namespace {

std::string Text(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(PendingFile, ALinkStaysALinkAndTheFileKeepsItsPermissions) {
  const std::string dir = FileScratch("pending-posix", "link");
  const std::string real = dir + "/real.wav", link = dir + "/link.wav";
  std::ofstream(real) << "earlier";
  ASSERT_EQ(chmod(real.c_str(), 0640), 0);
  ASSERT_EQ(symlink("real.wav", link.c_str()), 0);

  std::string error;
  ASSERT_TRUE(WriteWholeFile(link, "new", 3, &error)) << error;

  struct stat st = {};
  ASSERT_EQ(lstat(link.c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode)) << "the link was replaced by a file";
  EXPECT_EQ(Text(real), "new");
  ASSERT_EQ(stat(real.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

}  // namespace
