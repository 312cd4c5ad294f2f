#include "framework/StateChunk.h"

#include <cstring>

namespace {

// The chunk layout is little-endian on every platform.
void StoreLE(uint8_t* dst, uint64_t v, int size) {
  for (int i = 0; i < size; ++i) dst[i] = static_cast<uint8_t>(v >> (8 * i));
}

uint64_t LoadLE(const uint8_t* src, int size) {
  uint64_t v = 0;
  for (int i = 0; i < size; ++i) v |= static_cast<uint64_t>(src[i]) << (8 * i);
  return v;
}

}  // namespace

void StateChunk::AppendBytes(const void* data, int size) {
  if (size <= 0) return;
  const uint8_t* p = static_cast<const uint8_t*>(data);
  bytes.insert(bytes.end(), p, p + size);
}

void StateChunk::AppendDouble(double v) {
  uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  uint8_t raw[8];
  StoreLE(raw, bits, 8);
  AppendBytes(raw, 8);
}

void StateChunk::AppendInt32(int32_t v) {
  uint8_t raw[4];
  StoreLE(raw, static_cast<uint32_t>(v), 4);
  AppendBytes(raw, 4);
}

void StateChunk::AppendByte(uint8_t v) { bytes.push_back(v); }

void StateChunk::AppendText(const char* text) {
  int n = text ? static_cast<int>(std::strlen(text)) : 0;
  AppendInt32(n);
  AppendBytes(text, n);
}

int StateChunk::ReadBytes(int pos, void* out, int size) const {
  if (pos < 0 || size < 0 || static_cast<int64_t>(pos) + size > Size()) return -1;
  if (size > 0) std::memcpy(out, bytes.data() + pos, size);
  return pos + size;
}

int StateChunk::ReadDouble(int pos, double* out) const {
  uint8_t raw[8];
  pos = ReadBytes(pos, raw, 8);
  if (pos < 0) return -1;
  uint64_t bits = LoadLE(raw, 8);
  std::memcpy(out, &bits, sizeof bits);
  return pos;
}

int StateChunk::ReadInt32(int pos, int32_t* out) const {
  uint8_t raw[4];
  pos = ReadBytes(pos, raw, 4);
  if (pos < 0) return -1;
  *out = static_cast<int32_t>(static_cast<uint32_t>(LoadLE(raw, 4)));
  return pos;
}

int StateChunk::ReadByte(int pos, uint8_t* out) const { return ReadBytes(pos, out, 1); }

int StateChunk::ReadText(int pos, char* out, int outSize) const {
  int32_t n = 0;
  pos = ReadInt32(pos, &n);
  if (pos < 0 || n < 0 || static_cast<int64_t>(pos) + n > Size()) return -1;
  if (n > outSize - 1) {
    // Too long for the caller's field: skip it and give an empty text.
    if (outSize > 0) out[0] = '\0';
    return pos + n;
  }
  pos = ReadBytes(pos, out, n);
  out[n] = '\0';
  return pos;
}
