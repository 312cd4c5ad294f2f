// Links on X11 desktops: handed to xdg-open, started directly (never through
// a shell, so nothing in a link is ever run as a command) and not waited for.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <mutex>
#include <string>
#include <vector>

#include "editor/EditorWin.h"
#include "editor/EditorX11System.h"

extern char** environ;

namespace {

// Openers started and not yet reaped, over every editor of the process.
std::mutex& OpenerLock() {
  static std::mutex lock;
  return lock;
}
std::vector<pid_t>& Openers() {
  static std::vector<pid_t> pids;
  return pids;
}

}  // namespace

void IEditorWinSystem::ReapLinkOpeners() {
  std::lock_guard<std::mutex> g(OpenerLock());
  std::vector<pid_t>& pids = Openers();
  for (size_t i = pids.size(); i-- > 0;)
    if (waitpid(pids[i], nullptr, WNOHANG) != 0) pids.erase(pids.begin() + static_cast<ptrdiff_t>(i));
}

bool IEditorWin::OpenUrl(const char* url, const char*, const char* confirmText, const char*) {
  // There is no desktop dialog to ask with: a link that wants a yes is not
  // opened. Nor can an error be shown; the answer says it.
  if (!url || !url[0] || confirmText) return false;
  IEditorWinSystem::ReapLinkOpeners();
  char program[] = "xdg-open";
  std::string link(url);
  char* argv[] = {program, &link[0], nullptr};
  pid_t pid = 0;
  if (posix_spawnp(&pid, program, nullptr, nullptr, argv, environ) != 0) return false;
  std::lock_guard<std::mutex> g(OpenerLock());
  Openers().push_back(pid);
  return true;
}
