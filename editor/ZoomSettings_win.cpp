// The zoom settings file on Windows: under the user's roaming application data.
#include <windows.h>

#include <vector>

#include "editor/ZoomSettings.h"

namespace ZoomSettings {

namespace {

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return std::wstring();
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
  if (n <= 0) return std::wstring();
  std::vector<wchar_t> w(static_cast<size_t>(n));
  MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, w.data(), n);
  return std::wstring(w.data());
}

std::string Utf8(const wchar_t* wide) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return std::string();
  std::vector<char> s(static_cast<size_t>(n));
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, s.data(), n, nullptr, nullptr);
  return std::string(s.data());
}

bool MakeFolders(const std::wstring& path) {
  for (size_t at = path.find_first_of(L"\\/", 3); at != std::wstring::npos; at = path.find_first_of(L"\\/", at + 1)) {
    const std::wstring part = path.substr(0, at);
    if (!CreateDirectoryW(part.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return false;
  }
  return true;
}

}  // namespace

std::string SettingsFolder() {
  wchar_t folder[MAX_PATH + 1] = {};
  const DWORD n = GetEnvironmentVariableW(L"APPDATA", folder, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return std::string();
  return Utf8(folder) + "\\Ondivox";
}

bool ReadSmallFile(const std::string& path, std::string* text, size_t maxBytes) {
  HANDLE f = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  std::string got(maxBytes, '\0');
  DWORD read = 0;
  const BOOL ok = ReadFile(f, &got[0], static_cast<DWORD>(maxBytes), &read, nullptr);
  CloseHandle(f);
  if (!ok) return false;
  got.resize(read);
  *text = got;
  return true;
}

bool ReplaceWhole(const std::string& path, const std::string& text) {
  const std::wstring target = Wide(path), part = target + L".part";
  if (target.empty() || !MakeFolders(target)) return false;
  HANDLE f = CreateFileW(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool whole = WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                     written == text.size() && FlushFileBuffers(f);
  CloseHandle(f);
  if (!whole || !MoveFileExW(part.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(part.c_str());
    return false;
  }
  return true;
}

}  // namespace ZoomSettings
