// Encodes a picture as PNG bytes (8-bit RGB; the editor face is opaque).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// pixels: height rows of stride 32-bit words 0xAARRGGBB, top row first.
// False with *error set when there is nothing to encode.
bool EncodePng(const uint32_t* pixels, int width, int height, int stride, std::vector<uint8_t>* png,
               std::string* error);
