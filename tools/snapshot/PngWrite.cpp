#include "tools/snapshot/PngWrite.h"

#include <png.h>

bool EncodePng(const uint32_t* pixels, int width, int height, int stride, std::vector<uint8_t>* png,
               std::string* error) {
  if (!pixels || width <= 0 || height <= 0 || stride < width) {
    *error = "nothing was drawn";
    return false;
  }
  std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y) {
    const uint32_t* src = pixels + static_cast<size_t>(y) * stride;
    uint8_t* dst = &rgb[static_cast<size_t>(y) * width * 3];
    for (int x = 0; x < width; ++x) {
      dst[3 * x] = static_cast<uint8_t>(src[x] >> 16);
      dst[3 * x + 1] = static_cast<uint8_t>(src[x] >> 8);
      dst[3 * x + 2] = static_cast<uint8_t>(src[x]);
    }
  }
  png_image image = {};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGB;
  png_alloc_size_t size = 0;
  // The first call sizes the encoding, the second makes it.
  if (png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), 0, nullptr)) {
    png->resize(size);
    if (png_image_write_to_memory(&image, png->data(), &size, 0, rgb.data(), 0, nullptr)) {
      png->resize(size);
      return true;
    }
  }
  *error = std::string("cannot encode the picture: ") + image.message;
  png_image_free(&image);
  return false;
}
