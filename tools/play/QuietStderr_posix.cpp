#include "tools/play/QuietStderr.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

QuietStderr::QuietStderr() {
  std::fflush(stderr);
  const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (null < 0) return;
  saved = dup(STDERR_FILENO);
  if (saved >= 0) dup2(null, STDERR_FILENO);
  close(null);
}

QuietStderr::~QuietStderr() {
  if (saved < 0) return;
  std::fflush(stderr);
  dup2(saved, STDERR_FILENO);
  close(saved);
}
