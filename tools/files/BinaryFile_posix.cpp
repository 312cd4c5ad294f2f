#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "tools/files/BinaryFile.h"

namespace {

int Fd(intptr_t handle) { return static_cast<int>(handle); }

}  // namespace

BinaryFile::~BinaryFile() {
  if (IsOpen()) ::close(Fd(handle));
}

bool BinaryFile::Fail() {
  readerGone = errno == EPIPE;
  error = std::strerror(errno);
  return false;
}

bool BinaryFile::OpenRead(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Fail();
  handle = fd;
  return true;
}

bool BinaryFile::OpenWrite(const std::string& path) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return Fail();
  handle = fd;
  return true;
}

bool BinaryFile::CreateNew(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return Fail();
  handle = fd;
  return true;
}

bool BinaryFile::OpenStandardOutput() {
  signal(SIGPIPE, SIG_IGN);  // EPIPE instead
  int fd = ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 0);
  if (fd < 0) return Fail();
  handle = fd;
  return true;
}

bool BinaryFile::Read(void* data, std::size_t size, std::size_t* got) {
  *got = 0;
  auto* bytes = static_cast<char*>(data);
  while (*got < size) {
    ssize_t n = ::read(Fd(handle), bytes + *got, size - *got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return Fail();
    if (n == 0) break;
    *got += static_cast<std::size_t>(n);
  }
  return true;
}

bool BinaryFile::Write(const void* data, std::size_t size) {
  const auto* bytes = static_cast<const char*>(data);
  while (size > 0) {
    ssize_t n = ::write(Fd(handle), bytes, size);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return Fail();
    bytes += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

bool BinaryFile::Seek(uint64_t position) {
  return ::lseek(Fd(handle), static_cast<off_t>(position), SEEK_SET) >= 0 || Fail();
}

bool BinaryFile::Size(uint64_t* size) {
  struct stat st;
  if (::fstat(Fd(handle), &st) != 0) return Fail();
  *size = static_cast<uint64_t>(st.st_size);
  return true;
}

bool BinaryFile::Sync() { return ::fsync(Fd(handle)) == 0 || Fail(); }

bool BinaryFile::Close() {
  if (!IsOpen()) return true;
  int fd = Fd(handle);
  handle = kClosed;
  return ::close(fd) == 0 || Fail();
}
