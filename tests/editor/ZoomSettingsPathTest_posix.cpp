// Where the zoom settings file lives on Linux: the XDG configuration folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "editor/ZoomSettings.h"

namespace {

// Sets an environment variable for one scope and puts the old value back.
class EnvironmentValue {
 public:
  EnvironmentValue(const char* name, const char* value) : name(name) {
    if (const char* old = std::getenv(name)) before = old, had = true;
    if (value)
      setenv(name, value, 1);
    else
      unsetenv(name);
  }
  ~EnvironmentValue() {
    if (had)
      setenv(name, before.c_str(), 1);
    else
      unsetenv(name);
  }

 private:
  const char* name;
  std::string before;
  bool had = false;
};

TEST(ZoomSettingsPath, FollowsXdgConfigHomeOrTheHomeFolder) {
  const struct {
    const char* xdg;
    const char* home;
    const char* path;
  } cases[] = {
      {"/tmp/cfg", "/home/u", "/tmp/cfg/Ondivox/settings.txt"},
      {nullptr, "/home/u", "/home/u/.config/Ondivox/settings.txt"},
      {"", "/home/u", "/home/u/.config/Ondivox/settings.txt"},
      // A relative folder is not a valid XDG one.
      {"cfg", "/home/u", "/home/u/.config/Ondivox/settings.txt"},
      {nullptr, nullptr, ""},
  };
  for (const auto& c : cases) {
    EnvironmentValue xdg("XDG_CONFIG_HOME", c.xdg), home("HOME", c.home);
    EXPECT_EQ(ZoomSettings::FilePath(), c.path) << (c.xdg ? c.xdg : "(unset)");
  }
}

}  // namespace
