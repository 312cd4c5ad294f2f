// BinaryFile: a file read or written in whole blocks at 64-bit positions;
// every failure keeps the system's reason, so callers can say why.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class BinaryFile {
 public:
  BinaryFile() = default;
  ~BinaryFile();  // closes without looking at the result; call Close() to know
  BinaryFile(const BinaryFile&) = delete;
  BinaryFile& operator=(const BinaryFile&) = delete;

  bool OpenRead(const std::string& path);
  // Opens an existing file, or creates one, for writing from its start
  // (what a device or a pipe named as the output needs).
  bool OpenWrite(const std::string& path);
  // Creates path, failing when something of that name exists.
  bool CreateNew(const std::string& path);
  // The process's standard output, for writing as it is (bytes, never text
  // translated); closing this one leaves the standard output open. A reader
  // that goes away makes Write fail (ReaderGone) rather than end the program.
  bool OpenStandardOutput();

  // Reads up to size bytes; *got tells how many came (fewer only at the end).
  bool Read(void* data, std::size_t size, std::size_t* got);
  bool Write(const void* data, std::size_t size);
  bool Seek(uint64_t position);
  bool Size(uint64_t* size);
  // Waits until what was written is on the storage device.
  bool Sync();
  bool Close();
  bool IsOpen() const { return handle != kClosed; }

  // The system's reason for the last failure ("No space left on device").
  const std::string& Error() const { return error; }
  // The last failure was a pipe whose reader had closed it.
  bool ReaderGone() const { return readerGone; }

 private:
  static constexpr intptr_t kClosed = -1;
  bool Fail();

  intptr_t handle = kClosed;
  std::string error;
  bool readerGone = false;
};
