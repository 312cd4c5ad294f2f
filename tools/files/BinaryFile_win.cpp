#include <windows.h>

#include <algorithm>

#include "tools/files/BinaryFile.h"
#include "tools/files/WinPath.h"

namespace {

HANDLE Handle(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

// At most this much per ReadFile/WriteFile call (their sizes are 32-bit).
constexpr std::size_t kMaxTransfer = 1u << 30;

}  // namespace

BinaryFile::~BinaryFile() {
  if (IsOpen()) CloseHandle(Handle(handle));
}

bool BinaryFile::Fail() {
  const DWORD code = GetLastError();
  readerGone = code == ERROR_BROKEN_PIPE || code == ERROR_NO_DATA;
  error = SystemErrorText(code);
  return false;
}

namespace {

intptr_t OpenHandle(const std::string& path, DWORD access, DWORD disposition) {
  HANDLE h = CreateFileW(WidePath(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                         disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  return h == INVALID_HANDLE_VALUE ? -1 : reinterpret_cast<intptr_t>(h);
}

}  // namespace

bool BinaryFile::OpenRead(const std::string& path) {
  const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  HANDLE h = CreateFileW(WidePath(path).c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
  if (h == INVALID_HANDLE_VALUE) return Fail();
  handle = reinterpret_cast<intptr_t>(h);
  return true;
}

bool BinaryFile::OpenWrite(const std::string& path) {
  handle = OpenHandle(path, GENERIC_WRITE, CREATE_ALWAYS);
  return IsOpen() || Fail();
}

bool BinaryFile::CreateNew(const std::string& path) {
  handle = OpenHandle(path, GENERIC_READ | GENERIC_WRITE, CREATE_NEW);
  return IsOpen() || Fail();
}

// The handle itself, written with WriteFile: no C runtime text mode in the way.
bool BinaryFile::OpenStandardOutput() {
  HANDLE self = GetCurrentProcess(), copy = INVALID_HANDLE_VALUE;
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (out == nullptr || out == INVALID_HANDLE_VALUE) {
    SetLastError(ERROR_INVALID_HANDLE);
    return Fail();
  }
  if (!DuplicateHandle(self, out, self, &copy, 0, FALSE, DUPLICATE_SAME_ACCESS)) return Fail();
  handle = reinterpret_cast<intptr_t>(copy);
  return true;
}

bool BinaryFile::Read(void* data, std::size_t size, std::size_t* got) {
  *got = 0;
  auto* bytes = static_cast<char*>(data);
  while (*got < size) {
    DWORD n = 0;
    DWORD want = static_cast<DWORD>(std::min(size - *got, kMaxTransfer));
    if (!ReadFile(Handle(handle), bytes + *got, want, &n, nullptr)) return Fail();
    if (n == 0) break;
    *got += n;
  }
  return true;
}

bool BinaryFile::Write(const void* data, std::size_t size) {
  const auto* bytes = static_cast<const char*>(data);
  while (size > 0) {
    DWORD n = 0;
    DWORD want = static_cast<DWORD>(std::min(size, kMaxTransfer));
    if (!WriteFile(Handle(handle), bytes, want, &n, nullptr)) return Fail();
    if (n == 0) {
      SetLastError(ERROR_DISK_FULL);
      return Fail();
    }
    bytes += n;
    size -= n;
  }
  return true;
}

bool BinaryFile::Seek(uint64_t position) {
  LARGE_INTEGER to;
  to.QuadPart = static_cast<LONGLONG>(position);
  return SetFilePointerEx(Handle(handle), to, nullptr, FILE_BEGIN) || Fail();
}

bool BinaryFile::Size(uint64_t* size) {
  LARGE_INTEGER n;
  if (!GetFileSizeEx(Handle(handle), &n)) return Fail();
  *size = static_cast<uint64_t>(n.QuadPart);
  return true;
}

bool BinaryFile::Sync() { return FlushFileBuffers(Handle(handle)) || Fail(); }

bool BinaryFile::Close() {
  if (!IsOpen()) return true;
  HANDLE h = Handle(handle);
  handle = kClosed;
  return CloseHandle(h) || Fail();
}
