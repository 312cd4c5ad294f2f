#include <errno.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cstring>

#include "tools/files/FileSystem.h"

PathKind KindOf(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return PathKind::kMissing;
  if (S_ISREG(st.st_mode)) return PathKind::kRegular;
  if (S_ISDIR(st.st_mode)) return PathKind::kFolder;
  return PathKind::kOther;
}

std::string FolderOf(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

std::string SiblingPath(const std::string& path, const std::string& name) {
  return path.substr(0, path.find_last_of('/') + 1) + name;
}

std::string ResolveLinks(const std::string& path) {
  char resolved[PATH_MAX];
  return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

bool RenameOver(const std::string& from, const std::string& to, std::string* reason) {
  if (::rename(from.c_str(), to.c_str()) == 0) return true;
  *reason = std::strerror(errno);
  return false;
}

bool RemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

void CopyPermissions(const std::string& from, const std::string& to) {
  struct stat st;
  if (::stat(from.c_str(), &st) == 0) ::chmod(to.c_str(), st.st_mode & 07777);
}

bool FreeSpace(const std::string& folder, uint64_t* bytes) {
  struct statvfs fs;
  if (::statvfs(folder.c_str(), &fs) != 0) return false;
  *bytes = static_cast<uint64_t>(fs.f_bavail) * fs.f_frsize;
  return true;
}
