// The zoom settings file on Linux: under the XDG configuration folder.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "editor/ZoomSettings.h"

namespace ZoomSettings {

namespace {

bool MakeFolders(const std::string& path) {
  for (size_t at = path.find('/', 1); at != std::string::npos; at = path.find('/', at + 1)) {
    const std::string part = path.substr(0, at);
    if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  return true;
}

bool WriteAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

std::string SettingsFolder() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  // A relative XDG_CONFIG_HOME is invalid and to be ignored.
  if (xdg && xdg[0] == '/') return std::string(xdg) + "/Ondivox";
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return std::string(home) + "/.config/Ondivox";
  return std::string();
}

bool ReadSmallFile(const std::string& path, std::string* text, size_t maxBytes) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  std::string got(maxBytes, '\0');
  got.resize(std::fread(&got[0], 1, maxBytes, f));
  std::fclose(f);
  *text = got;
  return true;
}

bool ReplaceWhole(const std::string& path, const std::string& text) {
  if (!MakeFolders(path)) return false;
  const std::string part = path + ".part";
  const int fd = open(part.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  const bool written = WriteAll(fd, text) && fsync(fd) == 0;
  if (close(fd) != 0 || !written || std::rename(part.c_str(), path.c_str()) != 0) {
    unlink(part.c_str());
    return false;
  }
  return true;
}

}  // namespace ZoomSettings
