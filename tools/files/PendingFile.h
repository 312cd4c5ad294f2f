// PendingFile: an output that appears under its name complete or not at all.
//
// A regular file (or a name not yet taken) is written as a hidden file
// beside it in the same folder, flushed to the device and renamed over the
// target by Commit; until then any earlier file of that name is untouched,
// and a PendingFile dropped without Commit removes what it wrote. A target
// that is a symbolic link is followed: the file it names is replaced (beside
// it, in its folder) with that file's permissions, and the link stays. A target
// that exists and is not a regular file (a device, a pipe) is written in
// place, since it cannot be replaced.
#pragma once

#include <cstdint>
#include <string>

#include "tools/files/BinaryFile.h"

class PendingFile {
 public:
  PendingFile() = default;
  ~PendingFile();
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;

  // *error is a one-line reason naming target.
  bool Open(const std::string& target, std::string* error);
  // The standard output, written in place as a pipe is; target names it in errors.
  bool OpenStandardOutput(const std::string& target, std::string* error);
  BinaryFile& File() { return file; }
  // Fails when the system cannot tell or fewer than bytes are free where
  // the file is written; *error says which.
  bool CheckRoomFor(uint64_t bytes, std::string* error) const;
  bool Commit(std::string* error);
  // Removes what was written (nothing happens to the target).
  void Discard();

  const std::string& Target() const { return target; }
  // Where the bytes go until Commit: the hidden file, or the target itself.
  const std::string& WorkingPath() const { return working; }
  bool WritesInPlace() const { return inPlace; }

 private:
  bool Fail(const std::string& why, std::string* error) const;

  std::string target;    // as the user named it
  std::string resolved;  // the file it names, links followed
  std::string working;
  bool inPlace = false;
  bool committed = false;
  BinaryFile file;
};

// Writes bytes to path through a PendingFile.
bool WriteWholeFile(const std::string& path, const void* data, std::size_t size, std::string* error);
