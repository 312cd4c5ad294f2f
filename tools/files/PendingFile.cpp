#include "tools/files/PendingFile.h"

#include <chrono>
#include <cstdio>

#include "tools/files/FileSystem.h"

namespace {

// A name no other run picks: the clock and a counter, retried on a clash.
std::string HiddenName(const std::string& target, int attempt) {
  static unsigned counter = 0;
  auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
  char unique[48];
  std::snprintf(unique, sizeof unique, "%llx%x%x", static_cast<unsigned long long>(ticks), ++counter,
                static_cast<unsigned>(attempt));
  return "." + NameOf(target) + "." + unique + ".part";
}

std::string SizeText(uint64_t bytes) {
  char text[32];
  std::snprintf(text, sizeof text, bytes >= 100000000 ? "%.1f GB" : "%.1f MB",
                bytes >= 100000000 ? bytes / 1e9 : bytes / 1e6);
  return text;
}

}  // namespace

PendingFile::~PendingFile() { Discard(); }

bool PendingFile::Fail(const std::string& why, std::string* error) const {
  if (error) *error = "cannot write " + target + ": " + why;
  return false;
}

bool PendingFile::Open(const std::string& path, std::string* error) {
  target = path;
  committed = false;
  PathKind kind = KindOf(path);
  if (kind == PathKind::kFolder) return Fail("it is a folder", error);
  if (kind == PathKind::kOther) {
    inPlace = true;
    working = resolved = path;
    return file.OpenWrite(path) || Fail(file.Error(), error);
  }
  inPlace = false;
  resolved = kind == PathKind::kRegular ? ResolveLinks(path) : path;
  for (int attempt = 0; attempt < 100; ++attempt) {
    working = SiblingPath(resolved, HiddenName(resolved, attempt));
    if (file.CreateNew(working)) {
      if (kind == PathKind::kRegular) CopyPermissions(resolved, working);
      return true;
    }
    if (KindOf(working) == PathKind::kMissing) break;  // not a clash: the folder refuses
  }
  working.clear();
  return Fail(file.Error(), error);
}

bool PendingFile::OpenStandardOutput(const std::string& name, std::string* error) {
  target = working = resolved = name;
  committed = false;
  inPlace = true;
  return file.OpenStandardOutput() || Fail(file.Error(), error);
}

bool PendingFile::CheckRoomFor(uint64_t bytes, std::string* error) const {
  uint64_t free = 0;
  if (!FreeSpace(FolderOf(working), &free)) return true;  // the platform cannot tell: try
  if (free >= bytes) return true;
  return Fail("needs " + SizeText(bytes) + ", " + SizeText(free) + " free in " + FolderOf(working), error);
}

bool PendingFile::Commit(std::string* error) {
  if (!file.IsOpen()) return Fail("nothing open to write", error);
  // Devices need no sync (and some refuse it); a file must be on the disk before it replaces one.
  if (!inPlace && !file.Sync()) return Fail(file.Error(), error);
  if (!file.Close()) return Fail(file.Error(), error);
  if (!inPlace) {
    std::string why;
    if (!RenameOver(working, resolved, &why)) return Fail(why, error);
  }
  committed = true;
  return true;
}

void PendingFile::Discard() {
  file.Close();
  if (!committed && !inPlace && !working.empty()) RemoveFile(working);
  working.clear();
}

bool WriteWholeFile(const std::string& path, const void* data, std::size_t size, std::string* error) {
  PendingFile out;
  if (!out.Open(path, error)) return false;
  if (!out.File().Write(data, size)) {
    if (error) *error = "cannot write " + path + ": " + out.File().Error();
    return false;
  }
  return out.Commit(error);
}
