// MemoryStream: a host byte stream in memory, for plug-in state.
//
// FailReads makes every read report an error while still delivering its
// bytes, as some hosts do.
#pragma once

#include <cstdint>
#include <vector>

#include "pluginterfaces/base/ibstream.h"
#include "tools/host/HostObject.h"

class MemoryStream : public HostObject<Steinberg::IBStream> {
 public:
  MemoryStream() = default;
  explicit MemoryStream(std::vector<uint8_t> bytes) : bytes(std::move(bytes)) {}

  Steinberg::tresult PLUGIN_API read(void* buffer, Steinberg::int32 numBytes,
                                     Steinberg::int32* numBytesRead) override;
  Steinberg::tresult PLUGIN_API write(void* buffer, Steinberg::int32 numBytes,
                                      Steinberg::int32* numBytesWritten) override;
  Steinberg::tresult PLUGIN_API seek(Steinberg::int64 pos, Steinberg::int32 mode,
                                     Steinberg::int64* result) override;
  Steinberg::tresult PLUGIN_API tell(Steinberg::int64* pos) override;

  const std::vector<uint8_t>& Bytes() const { return bytes; }
  void Rewind() { position = 0; }
  void FailReads(bool fail) { failReads = fail; }
  // Reads reaching byte offset or beyond deliver what lies before it and
  // report an error: a stream that breaks part-way. Negative: never.
  void FailReadsFrom(int64_t offset) { failFrom = offset; }
  int ReadCalls() const { return readCalls; }
  int WriteCalls() const { return writeCalls; }

 private:
  std::vector<uint8_t> bytes;
  int64_t position = 0;
  bool failReads = false;
  int64_t failFrom = -1;
  int readCalls = 0;
  int writeCalls = 0;
};
