// Text without a windowing system: fontconfig picks the face that stands in
// for the asked-for one ("Arial" gives Liberation Sans, "Verdana" a DejaVu
// face) and FreeType renders glyphs into the render cell with the metrics a
// Windows font of the same height would have. There is no system drawing.
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <string>

#include "raster/FontSystem.h"
#include "raster/PixelView.h"

struct PX_NativeFont {
  FT_Face face = nullptr;
  int height = 0;  // cell height: ascent + descent
  int ascent = 0;
  bool mono = false;
};

namespace {

// A Windows font asked for with height 0 gets this cell height.
constexpr int kDefaultCellHeight = 16;
constexpr int kQualityNotAntialiased = 1;

FT_Library library() {
  static FT_Library lib = [] {
    FT_Library l = nullptr;
    return FT_Init_FreeType(&l) == 0 ? l : nullptr;
  }();
  return lib;
}

// The font file that fontconfig offers for the request; false when none.
bool matchFace(const PX_FontDesc& desc, std::string* file, int* index) {
  FcPattern* pattern = FcPatternCreate();
  if (!pattern) return false;
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(desc.face ? desc.face : ""));
  FcPatternAddInteger(pattern, FC_WEIGHT, desc.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, desc.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (!match) return false;
  FcChar8* path = nullptr;
  bool found = FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path;
  if (found) {
    *file = reinterpret_cast<const char*>(path);
    if (FcPatternGetInteger(match, FC_INDEX, 0, index) != FcResultMatch) *index = 0;
  }
  FcPatternDestroy(match);
  return found;
}

// Sizes the face the way Windows reads a font height: a positive height is
// the whole cell (ascent + descent from the OS/2 table), a negative one the em.
bool setMetrics(PX_NativeFont* font, int requested) {
  FT_Face face = font->face;
  double upem = face->units_per_EM > 0 ? face->units_per_EM : 2048;
  double ascender = face->ascender, descender = -face->descender;
  if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2))) {
    if (os2->usWinAscent + os2->usWinDescent > 0) {
      ascender = os2->usWinAscent;
      descender = os2->usWinDescent;
    }
  }
  if (ascender + descender <= 0) return false;
  int cell = requested == 0 ? kDefaultCellHeight : std::abs(requested);
  double em = requested < 0 ? cell : cell * upem / (ascender + descender);
  if (requested < 0) cell = static_cast<int>(std::lround((ascender + descender) * em / upem));
  font->height = cell;
  font->ascent = static_cast<int>(std::lround(ascender * cell / (ascender + descender)));
  return FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::lround(em * 64.0)), 72, 72) == 0;
}

// Loads a character's glyph; false for control characters and faults.
bool loadGlyph(PX_NativeFont* font, uint32_t code, bool render) {
  if (!font || !font->face || code < 32) return false;
  FT_UInt index = FT_Get_Char_Index(font->face, code);
  FT_Int32 flags = font->mono ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL;
  if (render) flags |= FT_LOAD_RENDER;
  return FT_Load_Glyph(font->face, index, flags) == 0;
}

inline PX_Pixel32 grey(int v) { return static_cast<PX_Pixel32>(v) * 0x010101u; }

int coverageAt(const FT_Bitmap& b, int x, int y) {
  const unsigned char* row = b.buffer + static_cast<ptrdiff_t>(y) * b.pitch;
  if (b.pixel_mode == FT_PIXEL_MODE_MONO) return (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
  if (b.pixel_mode == FT_PIXEL_MODE_GRAY) return row[x];
  return 0;
}

}  // namespace

#if defined(__SANITIZE_ADDRESS__)
// fontconfig loses a few bytes of its own while parsing its configuration
// files; any program that matches a face would report them at exit.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
#endif

PX_FontHandle PX_CreateFont(const PX_FontDesc& desc) {
  FT_Library lib = library();
  std::string file;
  int index = 0;
  if (!lib || !matchFace(desc, &file, &index)) return nullptr;
  auto* font = new PX_NativeFont;
  font->mono = desc.quality == kQualityNotAntialiased;
  if (FT_New_Face(lib, file.c_str(), index, &font->face) != 0) font->face = nullptr;
  if (!font->face || !setMetrics(font, desc.height)) {
    PX_DeleteFont(font);
    return nullptr;
  }
  return font;
}

void PX_DeleteFont(PX_FontHandle font) {
  if (!font) return;
  if (font->face) FT_Done_Face(font->face);
  delete font;
}

namespace px_font {

bool systemCanDraw() { return false; }
bool runningUnderWine() { return false; }

std::string familyName(PX_FontHandle font) {
  return font && font->face && font->face->family_name ? font->face->family_name : "";
}

void prepareRenderBitmap(PX_IBitmap*) {}  // FreeType writes white on black itself

int lineHeight(PX_FontHandle font, PX_IBitmap*) { return font ? font->height : 0; }

CellSize measureGlyph(PX_FontHandle font, PX_IBitmap*, uint32_t code) {
  CellSize size;
  if (!loadGlyph(font, code, false)) return size;
  size.advance = static_cast<int>((font->face->glyph->advance.x + 32) >> 6);
  size.height = font->height;
  return size;
}

void drawGlyph(PX_FontHandle font, PX_IBitmap* render, uint32_t code, int x) {
  PX_PixelView view = PX_PixelView::of(render);
  if (view.empty() || !loadGlyph(font, code, true)) return;
  FT_GlyphSlot slot = font->face->glyph;
  const FT_Bitmap& b = slot->bitmap;
  int left = x + slot->bitmap_left, top = font->ascent - slot->bitmap_top;
  int rows = static_cast<int>(b.rows), columns = static_cast<int>(b.width);
  for (int gy = std::max(0, -top); gy < rows && top + gy < view.height; ++gy) {
    PX_Pixel32* row = view.row(top + gy);
    for (int gx = std::max(0, -left); gx < columns && left + gx < view.width; ++gx) {
      row[left + gx] = grey(coverageAt(b, gx, gy));
    }
  }
}

int drawNative(PX_FontHandle, PX_DeviceContext, const NativeText&) { return 0; }

}  // namespace px_font
