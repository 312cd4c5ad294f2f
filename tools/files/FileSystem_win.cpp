#include <windows.h>

#include "tools/files/FileSystem.h"
#include "tools/files/WinPath.h"

std::wstring WidePath(const std::string& path) {
  int n = MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, nullptr, 0);
  std::wstring wide(n > 0 ? n : 1, L'\0');
  if (n > 0) MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, &wide[0], n);
  wide.resize(wide.size() - 1);
  return wide;
}

std::string SystemErrorText(unsigned long code) {
  char text[256] = {};
  DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                           sizeof text, nullptr);
  std::string message(text, n);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == '.'))
    message.pop_back();
  return message.empty() ? "error " + std::to_string(code) : message;
}

PathKind KindOf(const std::string& path) {
  DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    // Device names such as NUL have no attributes but do exist.
    HANDLE h = CreateFileW(WidePath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return PathKind::kMissing;
    DWORD type = GetFileType(h);
    CloseHandle(h);
    return type == FILE_TYPE_DISK ? PathKind::kRegular : PathKind::kOther;
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return PathKind::kFolder;
  if (attributes & FILE_ATTRIBUTE_DEVICE) return PathKind::kOther;
  return PathKind::kRegular;
}

std::string FolderOf(const std::string& path) {
  std::size_t slash = path.find_last_of("/\\");
  if (slash == std::string::npos) return path.size() >= 2 && path[1] == ':' ? path.substr(0, 2) : ".";
  if (slash == 0 || (slash == 2 && path[1] == ':')) return path.substr(0, slash + 1);
  return path.substr(0, slash);
}

namespace {

// Where the name begins: after the last separator or a drive letter.
std::size_t NameStart(const std::string& path) {
  std::size_t slash = path.find_last_of("/\\");
  if (slash != std::string::npos) return slash + 1;
  return path.size() >= 2 && path[1] == ':' ? 2 : 0;
}

}  // namespace

std::string NameOf(const std::string& path) { return path.substr(NameStart(path)); }

std::string SiblingPath(const std::string& path, const std::string& name) {
  return path.substr(0, NameStart(path)) + name;
}

std::string ResolveLinks(const std::string& path) { return path; }

bool RenameOver(const std::string& from, const std::string& to, std::string* reason) {
  if (MoveFileExW(WidePath(from).c_str(), WidePath(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  *reason = SystemErrorText(GetLastError());
  return false;
}

bool RemoveFile(const std::string& path) { return DeleteFileW(WidePath(path).c_str()) != 0; }

void CopyPermissions(const std::string&, const std::string&) {}

bool FreeSpace(const std::string& folder, uint64_t* bytes) {
  ULARGE_INTEGER available;
  if (!GetDiskFreeSpaceExW(WidePath(folder).c_str(), &available, nullptr, nullptr)) return false;
  *bytes = available.QuadPart;
  return true;
}
