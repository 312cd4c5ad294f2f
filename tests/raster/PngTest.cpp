#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <zlib.h>

#include "PngTestUtil.h"
#include "RasterTestUtil.h"
#include "raster/Png.h"
#include "raster/SysBitmap.h"

namespace {

std::unique_ptr<PX_IBitmap> decode(const std::vector<uint8_t>& bytes) {
  return std::unique_ptr<PX_IBitmap>(PX_ReadPngMemory(bytes.data(), bytes.size(), nullptr));
}

PngImage rgbaImage(int w, int h) {
  PngImage image;
  image.width = w, image.height = h;
  for (int i = 0; i < w * h; ++i) {
    uint8_t v = static_cast<uint8_t>(i * 29);
    image.rows.insert(image.rows.end(), {v, static_cast<uint8_t>(255 - v), static_cast<uint8_t>(v ^ 0x5A), 255});
  }
  return image;
}

// A bitmap that refuses to change its size.
class FixedBitmap : public PX_MemBitmap {
 public:
  FixedBitmap() : PX_MemBitmap(3, 3, 4) {}
  bool setSize(int, int) override { return false; }
};

uint32_t bigEndian32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 | static_cast<uint32_t>(p[2]) << 8 | p[3];
}

// The checksum of `n` zero bytes following data whose checksum is `crc`,
// by doubling, so that a claim of 100 MB needs no 100 MB buffer.
uint32_t crcWithZeros(uint32_t crc, uint32_t n) {
  const uint8_t zero = 0;
  uint32_t piece = static_cast<uint32_t>(crc32(0, &zero, 1));
  for (z_off_t length = 1; n; n >>= 1, length *= 2) {
    if (n & 1) crc = static_cast<uint32_t>(crc32_combine(crc, piece, length));
    if (n > 1) piece = static_cast<uint32_t>(crc32_combine(piece, piece, length));
  }
  return crc;
}

// `png` with its image-data chunk claiming `missing` bytes more than the data
// holds, cut where the data ends. Four bytes appended to the chunk's data are
// chosen (the checksum is linear in them) so that, were the missing bytes and
// the missing checksum all zeros, the checksum would match: a reader that
// made up zeros past the end would decode the image.
std::vector<uint8_t> claimingMoreThanIsThere(const std::vector<uint8_t>& png, uint32_t missing) {
  const uint8_t idat[] = {'I', 'D', 'A', 'T'};
  size_t type = std::search(png.begin(), png.end(), std::begin(idat), std::end(idat)) - png.begin();
  uint32_t length = bigEndian32(&png[type - 4]);
  std::vector<uint8_t> out(png.begin(), png.begin() + type + 4 + length);
  uint32_t claimed = length + 4 + missing;
  for (int i = 0; i < 4; ++i) out[type - 4 + i] = static_cast<uint8_t>(claimed >> (24 - 8 * i));

  auto checksum = [&](uint32_t appended) {
    uint8_t bytes[4] = {static_cast<uint8_t>(appended), static_cast<uint8_t>(appended >> 8),
                        static_cast<uint8_t>(appended >> 16), static_cast<uint8_t>(appended >> 24)};
    uint32_t crc = static_cast<uint32_t>(crc32(0, out.data() + type, 4 + length));
    return crcWithZeros(static_cast<uint32_t>(crc32(crc, bytes, 4)), missing);
  };
  // Solve checksum(x) == 0 over GF(2): checksum(x) = checksum(0) ^ (the columns of x's bits).
  uint32_t rows[32], values[32];
  uint32_t base = checksum(0);
  for (int bit = 0; bit < 32; ++bit) rows[bit] = checksum(uint32_t{1} << bit) ^ base, values[bit] = uint32_t{1} << bit;
  uint32_t appended = 0, want = base;
  for (int pivot = 31, used = 0; pivot >= 0; --pivot) {
    int r = used;
    while (r < 32 && !(rows[r] >> pivot & 1)) ++r;
    if (r == 32) continue;
    std::swap(rows[r], rows[used]), std::swap(values[r], values[used]);
    for (int other = 0; other < 32; ++other)
      if (other != used && (rows[other] >> pivot & 1)) rows[other] ^= rows[used], values[other] ^= values[used];
    if (want >> pivot & 1) want ^= rows[used], appended ^= values[used];
    ++used;
  }
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(appended >> (8 * i)));
  return out;
}

void writeFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

}  // namespace

TEST(PngRead, SampleFormatsBecomeStraightArgbWords) {
  PngImage grey1;
  grey1.width = 4, grey1.colourType = PNG_COLOR_TYPE_GRAY, grey1.bitDepth = 1, grey1.rows = {0xA0};
  PngImage palette;
  palette.width = 2, palette.colourType = PNG_COLOR_TYPE_PALETTE, palette.rows = {0, 1};
  palette.palette = {{255, 0, 0}, {0, 0, 255}};
  PngImage paletteAlpha = palette;
  paletteAlpha.transparency = {0x40};
  PngImage rgba16;
  rgba16.bitDepth = 16, rgba16.rows = {0xFF, 0xFF, 0, 0, 0, 0, 0x80, 0x00};
  PngImage greyAlpha;
  greyAlpha.colourType = PNG_COLOR_TYPE_GRAY_ALPHA, greyAlpha.rows = {128, 64};
  PngImage rgb;
  rgb.colourType = PNG_COLOR_TYPE_RGB, rgb.rows = {0x12, 0x34, 0x56};

  struct Case {
    const char* what;
    const PngImage& image;
    std::vector<PX_Pixel32> expected;
  } cases[] = {
      {"1-bit grey", grey1, {0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF, 0xFF000000}},
      {"palette without tRNS", palette, {0xFFFF0000, 0xFF0000FF}},
      {"palette with tRNS", paletteAlpha, {0x40FF0000, 0xFF0000FF}},
      {"16-bit RGBA, half-transparent red stays red", rgba16, {0x80FF0000}},
      {"grey with alpha", greyAlpha, {0x40808080}},
      {"RGB gets opaque alpha", rgb, {0xFF123456}},
  };
  for (const Case& c : cases) {
    auto b = decode(encodePng(c.image));
    ASSERT_NE(b, nullptr) << c.what;
    EXPECT_EQ(b->width(), c.image.width) << c.what;
    EXPECT_EQ(pixelsOf(*b), c.expected) << c.what;
  }
}

TEST(PngRead, InterlacedDecodesLikeItsNonInterlacedTwin) {
  PngImage plain = rgbaImage(13, 9), interlaced = plain;
  interlaced.interlaced = true;
  auto a = decode(encodePng(plain)), b = decode(encodePng(interlaced));
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(pixelsOf(*a), pixelsOf(*b));
  EXPECT_EQ(pixelAt(*a, 1, 0), 0xFF1DE247u);  // bytes 1d e2 47 ff
}

TEST(PngRead, NewBitmapsRoundRowsToFourPixelsAndLeaveThePaddingAlone) {
  auto bytes = encodePng(rgbaImage(5, 2));
  auto fresh = decode(bytes);
  ASSERT_NE(fresh, nullptr);
  EXPECT_EQ(fresh->rowStride(), 8);

  PX_MemBitmap target(5, 2, 4);
  for (int i = 0; i < 16; ++i) target.pixels()[i] = 0xDEADBEEF;
  ASSERT_EQ(PX_ReadPngMemory(bytes.data(), bytes.size(), &target), &target);
  for (int y = 0; y < 2; ++y)
    for (int x = 5; x < 8; ++x) EXPECT_EQ(target.pixels()[y * 8 + x], 0xDEADBEEFu);
  EXPECT_EQ(pixelsOf(target), pixelsOf(*fresh));
}

TEST(PngRead, DecodesIntoAGivenBitmapOfAnySizeOrOrientation) {
  auto bytes = encodePng(rgbaImage(6, 4));
  auto reference = decode(bytes);
  PX_MemBitmap other(30, 1, 4);
  EXPECT_EQ(PX_ReadPngMemory(bytes.data(), bytes.size(), &other), &other);
  EXPECT_EQ(pixelsOf(other), pixelsOf(*reference));
  FlippedBitmap flipped(2, 2);
  EXPECT_EQ(PX_ReadPngMemory(bytes.data(), bytes.size(), &flipped), &flipped);
  EXPECT_EQ(pixelsOf(flipped), pixelsOf(*reference));
  PX_SysBitmap system(1, 1);
  EXPECT_EQ(PX_ReadPngMemory(bytes.data(), bytes.size(), &system), &system);
  EXPECT_EQ(pixelsOf(system), pixelsOf(*reference));

  FixedBitmap fixed;
  EXPECT_EQ(PX_ReadPngMemory(bytes.data(), bytes.size(), &fixed), nullptr);
  EXPECT_EQ(fixed.width(), 3);  // still the caller's, still alive
}

TEST(PngRead, BadDataYieldsNoBitmap) {
  auto good = encodePng(rgbaImage(8, 8));
  std::vector<uint8_t> truncated(good.begin(), good.begin() + good.size() / 2);
  std::vector<uint8_t> badCrc = good;
  badCrc[good.size() - 20] ^= 0xFF;  // inside the image data
  std::vector<uint8_t> signatureOnly(good.begin(), good.begin() + 8);
  std::vector<uint8_t> notPng(good);
  notPng[1] = 'X';
  // A valid header for 100000 x 100000 pixels: refused before anything is allocated.
  PngImage small = rgbaImage(1, 1);
  auto huge = encodePng(small);
  const uint8_t hugeIhdr[] = {0, 1, 0x86, 0xA0, 0, 1, 0x86, 0xA0};
  std::copy(std::begin(hugeIhdr), std::end(hugeIhdr), huge.begin() + 16);
  uint32_t crc = static_cast<uint32_t>(crc32(0, huge.data() + 12, 17));
  for (int i = 0; i < 4; ++i) huge[29 + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));

  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    size_t count;
  } cases[] = {
      {"seven bytes", good, 7},         {"truncated", truncated, truncated.size()},
      {"bad CRC", badCrc, badCrc.size()}, {"signature only", signatureOnly, 8},
      {"not a PNG", notPng, notPng.size()}, {"huge header", huge, huge.size()},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PX_ReadPngMemory(c.bytes.data(), c.count, nullptr), nullptr) << c.what;
    PX_MemBitmap target(2, 2, 4);
    EXPECT_EQ(PX_ReadPngMemory(c.bytes.data(), c.count, &target), nullptr) << c.what;
  }
  EXPECT_EQ(PX_ReadPngMemory(nullptr, 100, nullptr), nullptr);
}

TEST(PngRead, AChunkClaimingMoreThanTheDataHoldsIsRefused) {
  auto good = encodePng(rgbaImage(20, 20));
  auto reference = decode(good);
  ASSERT_NE(reference, nullptr);

  // The fixture is sound: with its missing zeros, checksum and end chunk
  // supplied, it is a valid image.
  auto cut = claimingMoreThanIsThere(good, 100);
  std::vector<uint8_t> completed = cut;
  completed.resize(cut.size() + 100 + 4);
  const uint8_t iend[] = {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};
  completed.insert(completed.end(), std::begin(iend), std::end(iend));
  auto whole = decode(completed);
  ASSERT_NE(whole, nullptr);
  EXPECT_EQ(pixelsOf(*whole), pixelsOf(*reference));

  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {"100 bytes and the checksum missing", cut},
      {"108 MB claimed", claimingMoreThanIsThere(good, 108u << 20)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(decode(c.bytes), nullptr) << c.what;
    PX_MemBitmap target(2, 2, 4);
    EXPECT_EQ(PX_ReadPngMemory(c.bytes.data(), c.bytes.size(), &target), nullptr) << c.what;
  }
}

TEST(PngFile, ReadsByUtf8NameAndThroughTheFileTypeRecord) {
  auto bytes = encodePng(rgbaImage(3, 2));
  auto reference = decode(bytes);
  const char* name = u8"raster_test_\u00e4.png";
  std::filesystem::path path = std::filesystem::u8path(name);
  writeFile(path, bytes);
  writeFile("raster_test_png.txt", bytes);
  writeFile("RASTER_TEST_UPPER.PNG", bytes);

  std::unique_ptr<PX_IBitmap> fromFile(PX_ReadPngFile(name, nullptr));
  ASSERT_NE(fromFile, nullptr);
  EXPECT_EQ(pixelsOf(*fromFile), pixelsOf(*reference));
  EXPECT_EQ(PX_ReadPngFile("raster_test_missing.png", nullptr), nullptr);

  PX_ImageFileType* type = PX_ImageFileTypes();
  ASSERT_NE(type, nullptr);
  EXPECT_STREQ(type->description(), "PNG files (*.PNG)");
  EXPECT_EQ(type->read("raster_test_png.txt", true, nullptr), nullptr);
  std::unique_ptr<PX_IBitmap> unchecked(type->read("raster_test_png.txt", false, nullptr));
  EXPECT_NE(unchecked, nullptr);
  std::unique_ptr<PX_IBitmap> upper(type->read("RASTER_TEST_UPPER.PNG", true, nullptr));
  EXPECT_NE(upper, nullptr);

  std::filesystem::remove(path);
  std::filesystem::remove("raster_test_png.txt");
  std::filesystem::remove("RASTER_TEST_UPPER.PNG");
}

TEST(PngResource, ReadsEmbeddedPngsAndRefusesShortOrForeignOnes) {
  std::unique_ptr<PX_IBitmap> tiny(PX_ReadPngResource(nullptr, 200, nullptr));
  ASSERT_NE(tiny, nullptr);
  EXPECT_EQ(pixelsOf(*tiny), (std::vector<PX_Pixel32>{0xFFFF0000, 0x8000FF00, 0x000000FF, 0xFFFFFFFF}));
  EXPECT_EQ(PX_ReadPngResource(nullptr, 201, nullptr), nullptr);  // 7 bytes
  EXPECT_EQ(PX_ReadPngResource(nullptr, 202, nullptr), nullptr);  // 8 bytes, not a PNG
  EXPECT_EQ(PX_ReadPngResource(nullptr, 299, nullptr), nullptr);  // none
  PX_MemBitmap target(1, 1, 4);
  EXPECT_EQ(PX_ReadPngResource(nullptr, 200 + 0x10000, &target), &target);  // the low 16 bits name it
}
