#include "editor/FontCache.h"

#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

#include "editor/TextStyle.h"
#include "framework/ParamEntry.h"
#include "raster/CachedFont.h"

namespace {

constexpr int kFaceSize = 36;
constexpr int kEditorFontFlags = PX_FONT_OWNS_HANDLE | PX_FONT_NATIVE;

struct Entry {
  int32_t size;
  int32_t orientation;
  int32_t style;
  char face[kFaceSize];
  std::unique_ptr<PX_CachedFont> font;

  bool Matches(const ITextStyle& s, int32_t height) const {
    return size == height && orientation == s.orientation && style == s.style &&
           std::strncmp(face, s.font, kFaceSize) == 0;
  }
};

struct Cache {
  std::mutex mutex;
  std::vector<Entry> entries;
};

Cache& TheCache() {
  static Cache cache;
  return cache;
}

PX_CachedFont* MakeFont(const ITextStyle& s, int32_t height) {
  PX_FontDesc desc;
  desc.face = s.font;
  desc.height = height;
  desc.angle = s.orientation;
  desc.bold = (s.style & 1) != 0;
  desc.italic = (s.style & 2) != 0;
  desc.quality = s.quality;
  PX_FontHandle handle = PX_CreateFont(desc);
  if (!handle) return nullptr;
  auto* font = new PX_CachedFont();
  font->setFromFont(handle, kEditorFontFlags);
  return font;
}

}  // namespace

PX_CachedFont* FontCache::ForStyle(const ITextStyle& style, const IEditorScale& scale) {
  const int32_t height = scale.ToPixels(style.size);
  Cache& cache = TheCache();
  std::lock_guard<std::mutex> g(cache.mutex);
  for (Entry& e : cache.entries)
    if (e.Matches(style, height)) return e.font.get();
  PX_CachedFont* font = MakeFont(style, height);
  if (!font) return nullptr;
  Entry e{height, style.orientation, style.style, {}, std::unique_ptr<PX_CachedFont>(font)};
  CopyText(e.face, style.font, kFaceSize);
  cache.entries.push_back(std::move(e));
  return font;
}
