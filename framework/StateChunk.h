// StateChunk: a growable byte buffer for saved state and preset contents.
//
// Writers append; readers pass a byte position and get back the position
// after the item, or -1 when the item does not fit before the end (a
// position of -1 stays -1). Numbers are stored little-endian.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class StateChunk {
 public:
  void Clear() { bytes.clear(); }
  int Size() const { return static_cast<int>(bytes.size()); }
  const uint8_t* Data() const { return bytes.data(); }

  void AppendBytes(const void* data, int size);
  void AppendDouble(double v);
  void AppendInt32(int32_t v);
  void AppendByte(uint8_t v);
  void AppendText(const char* text);  // int32 length, then the bytes, no NUL

  int ReadBytes(int pos, void* out, int size) const;
  int ReadDouble(int pos, double* out) const;
  int ReadInt32(int pos, int32_t* out) const;
  int ReadByte(int pos, uint8_t* out) const;
  // Reads a text written by AppendText into out (at most outSize - 1 chars).
  // A negative length or one past the end gives -1; a text too long for out
  // is skipped and reads as empty.
  int ReadText(int pos, char* out, int outSize) const;

 private:
  std::vector<uint8_t> bytes;
};
