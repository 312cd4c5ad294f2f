#include "tools/files/FileStart.h"

#include "tools/files/BinaryFile.h"

bool ReadFileStart(const std::string& path, std::size_t maxBytes, std::vector<uint8_t>* bytes, std::string* error) {
  BinaryFile file;
  bytes->assign(maxBytes, 0);
  std::size_t got = 0;
  if (!file.OpenRead(path) || !file.Read(bytes->data(), bytes->size(), &got)) {
    if (error) *error = "cannot read " + path + ": " + file.Error();
    bytes->clear();
    return false;
  }
  bytes->resize(got);
  return true;
}
