#include <png.h>

#include <csetjmp>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "raster/MemBitmap.h"
#include "raster/Png.h"
#include "raster/PngFile.h"
#include "raster/Resource.h"

namespace {

// Images above this many pixels are refused before anything is allocated for
// them: a hostile header must not make us reserve gigabytes.
constexpr uint64_t kMaxPixels = uint64_t{1} << 26;

struct Cursor {
  const uint8_t* next;
  size_t left;
};

// Asking for more than is left ends decoding at once (png_error jumps back to
// decode). Delivering zeros instead would let a chunk that claims more bytes
// than the data holds be read, and its checksum tested, over gigabytes that
// are not there.
void readFromCursor(png_structp png, png_bytep out, png_size_t count) {
  Cursor* c = static_cast<Cursor*>(png_get_io_ptr(png));
  if (count > c->left) png_error(png, "read past the end of the data");
  std::memcpy(out, c->next, count);
  c->next += count;
  c->left -= count;
}

// Every decoded pixel comes out as the bytes alpha, red, green, blue.
void requestArgb(png_structp png, png_infop info, int colourType, int bitDepth) {
  if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (png_get_valid(png, info, PNG_INFO_tRNS)) {
    png_set_tRNS_to_alpha(png);
    colourType |= PNG_COLOR_MASK_ALPHA;
  }
  if (bitDepth == 16) png_set_strip_16(png);
  if (bitDepth < 8) png_set_packing(png);
  if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
  if (colourType & PNG_COLOR_MASK_ALPHA)
    png_set_swap_alpha(png);
  else
    png_set_filler(png, 255, PNG_FILLER_BEFORE);
}

void toPixelWords(png_bytep* rows, int width, int height) {
  for (int y = 0; y < height; ++y) {
    uint8_t* p = rows[y];
    for (int x = 0; x < width; ++x, p += 4) {
      PX_Pixel32 word = static_cast<PX_Pixel32>(p[0]) << 24 | static_cast<PX_Pixel32>(p[1]) << 16 |
                        static_cast<PX_Pixel32>(p[2]) << 8 | p[3];
      std::memcpy(p, &word, 4);
    }
  }
}

// Reads the image that png is set up to read. A libpng error jumps back
// here; nothing in this frame has a destructor for the jump to skip.
PX_IBitmap* decode(png_structp png, png_infop info, PX_IBitmap* target) {
  PX_IBitmap* volatile created = nullptr;
  png_bytep* volatile rows = nullptr;
  if (setjmp(png_jmpbuf(png))) {
    std::free(rows);
    delete created;
    return nullptr;
  }
  png_read_info(png, info);
  png_uint_32 width = 0, height = 0;
  int bitDepth = 0, colourType = 0, interlace = 0, compression = 0, filter = 0;
  png_get_IHDR(png, info, &width, &height, &bitDepth, &colourType, &interlace, &compression, &filter);
  if (static_cast<uint64_t>(width) * height > kMaxPixels) return nullptr;
  requestArgb(png, info, colourType, bitDepth);

  int w = static_cast<int>(width), h = static_cast<int>(height);
  PX_IBitmap* bitmap = target;
  if (bitmap)
    bitmap->setSize(w, h);
  else
    bitmap = created = new PX_MemBitmap(w, h, 4);
  PX_Pixel32* pixels = bitmap->pixels();
  if (bitmap->width() != w || bitmap->height() != h || !pixels || bitmap->rowStride() < w) {
    delete created;
    return nullptr;
  }
  rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * static_cast<size_t>(h)));
  if (!rows) {
    delete created;
    return nullptr;
  }
  ptrdiff_t stride = bitmap->rowStride();
  for (int y = 0; y < h; ++y) {
    ptrdiff_t row = bitmap->isBottomUp() ? h - 1 - y : y;
    rows[y] = reinterpret_cast<png_bytep>(pixels + row * stride);
  }
  png_read_image(png, rows);
  toPixelWords(rows, w, h);
  std::free(rows);
  return bitmap;
}

// Creates the libpng structures, lets `attach` give them their source, reads.
template <class Attach>
PX_IBitmap* readPng(PX_IBitmap* target, Attach attach) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return nullptr;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return nullptr;
  }
  attach(png);
  PX_IBitmap* bitmap = decode(png, info, target);
  png_destroy_read_struct(&png, &info, nullptr);
  return bitmap;
}

bool hasPngExtension(const char* name) {
  size_t n = std::strlen(name), start = n;
  while (start > 0 && name[start - 1] != '.' && name[start - 1] != '/' && name[start - 1] != '\\') --start;
  if (start > 0) --start;  // from the separator on
  const char* ext = name + start;
  const char* want = ".png";
  for (size_t i = 0; i < 5; ++i) {
    char c = ext[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != want[i]) return false;
  }
  return true;
}

PX_IBitmap* readPngFileChecked(const char* utf8Name, bool checkExtension, PX_IBitmap* target) {
  if (!utf8Name || (checkExtension && !hasPngExtension(utf8Name))) return nullptr;
  return PX_ReadPngFile(utf8Name, target);
}

const char* describePng() { return "PNG files (*.PNG)"; }

PX_ImageFileType pngFileType{readPngFileChecked, describePng, nullptr};
PX_ImageFileType* imageFileTypes = nullptr;

const bool pngFileTypeRegistered = [] {
  pngFileType.next = imageFileTypes;
  imageFileTypes = &pngFileType;
  return true;
}();

}  // namespace

PX_ImageFileType* PX_ImageFileTypes() { return imageFileTypes; }

PX_IBitmap* PX_ReadPngMemory(const void* bytes, size_t count, PX_IBitmap* target) {
  if (!bytes || count < 8 || png_sig_cmp(static_cast<png_const_bytep>(bytes), 0, 8) != 0) return nullptr;
  Cursor cursor{static_cast<const uint8_t*>(bytes), count};
  return readPng(target, [&](png_structp png) { png_set_read_fn(png, &cursor, readFromCursor); });
}

PX_IBitmap* PX_ReadPngFile(const char* utf8Name, PX_IBitmap* target) {
  if (!utf8Name) return nullptr;
  std::FILE* file = px_png::openFile(utf8Name);
  if (!file) return nullptr;
  PX_IBitmap* bitmap = readPng(target, [&](png_structp png) { png_init_io(png, file); });
  std::fclose(file);
  return bitmap;
}

PX_IBitmap* PX_ReadPngResource(PX_ModuleHandle module, int id, PX_IBitmap* target) {
  const void* data = nullptr;
  size_t size = 0;
  if (!PX_FindResource(module, id, "PNG", &data, &size) || size < 8) return nullptr;
  return PX_ReadPngMemory(data, size, target);
}
