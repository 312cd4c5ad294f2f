// ReadFileStart: a small file read whole, or the first maxBytes bytes of a
// larger one, so a caller that expects a few kilobytes can tell "too big"
// without reading a huge file (or a device that never ends).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// False, with "cannot read PATH: why" in *error, when path cannot be read.
bool ReadFileStart(const std::string& path, std::size_t maxBytes, std::vector<uint8_t>* bytes, std::string* error);
