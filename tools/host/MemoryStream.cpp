#include "tools/host/MemoryStream.h"

#include <algorithm>
#include <cstring>

using namespace Steinberg;

tresult PLUGIN_API MemoryStream::read(void* buffer, int32 numBytes, int32* numBytesRead) {
  ++readCalls;
  const bool breaks = failFrom >= 0 && position + numBytes > failFrom;
  const int64_t end = breaks ? std::min<int64_t>(failFrom, bytes.size()) : bytes.size();
  int32 n = static_cast<int32>(std::max<int64_t>(0, std::min<int64_t>(numBytes, end - position)));
  if (n > 0) {
    std::memcpy(buffer, bytes.data() + position, n);
    position += n;
  }
  if (numBytesRead) *numBytesRead = n;
  return failReads || breaks ? kInternalError : kResultOk;
}

tresult PLUGIN_API MemoryStream::write(void* buffer, int32 numBytes, int32* numBytesWritten) {
  ++writeCalls;
  if (numBytes < 0 || (numBytes > 0 && !buffer)) return kInvalidArgument;
  if (position + numBytes > static_cast<int64_t>(bytes.size())) bytes.resize(position + numBytes);
  if (numBytes > 0) std::memcpy(bytes.data() + position, buffer, numBytes);
  position += numBytes;
  if (numBytesWritten) *numBytesWritten = numBytes;
  return kResultOk;
}

tresult PLUGIN_API MemoryStream::seek(int64 pos, int32 mode, int64* result) {
  int64_t base = mode == kIBSeekSet ? 0 : mode == kIBSeekCur ? position : static_cast<int64_t>(bytes.size());
  int64_t target = base + pos;
  if (target < 0) return kInvalidArgument;
  position = target;
  if (result) *result = position;
  return kResultOk;
}

tresult PLUGIN_API MemoryStream::tell(int64* pos) {
  if (!pos) return kInvalidArgument;
  *pos = position;
  return kResultOk;
}
