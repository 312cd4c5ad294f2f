#include "tools/snapshot/PngWrite.h"

#include <png.h>

#include <cstdint>
#include <vector>

#include "raster/Bitmap.h"

bool WritePngFile(PX_IBitmap* bitmap, const std::string& path, std::string* error) {
  if (!bitmap || !bitmap->pixels() || bitmap->width() <= 0 || bitmap->height() <= 0) {
    *error = "nothing was drawn";
    return false;
  }
  const int w = bitmap->width(), h = bitmap->height(), stride = bitmap->rowStride();
  std::vector<uint8_t> rgb(static_cast<size_t>(w) * h * 3);
  for (int y = 0; y < h; ++y) {
    const int row = bitmap->isBottomUp() ? h - 1 - y : y;
    const PX_Pixel32* src = bitmap->pixels() + static_cast<size_t>(row) * stride;
    uint8_t* dst = &rgb[static_cast<size_t>(y) * w * 3];
    for (int x = 0; x < w; ++x) {
      dst[3 * x] = static_cast<uint8_t>(src[x] >> 16);
      dst[3 * x + 1] = static_cast<uint8_t>(src[x] >> 8);
      dst[3 * x + 2] = static_cast<uint8_t>(src[x]);
    }
  }
  png_image image = {};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(w);
  image.height = static_cast<png_uint_32>(h);
  image.format = PNG_FORMAT_RGB;
  if (!png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr)) {
    *error = "cannot write " + path + ": " + image.message;
    png_image_free(&image);
    return false;
  }
  return true;
}
