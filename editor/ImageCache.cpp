#include "editor/ImageCache.h"

#include <memory>
#include <mutex>
#include <vector>

#include "raster/Bitmap.h"

namespace {

struct Entry {
  int32_t id;
  std::unique_ptr<PX_IBitmap> bitmap;
};

struct Cache {
  std::mutex mutex;
  std::vector<Entry> entries;

  PX_IBitmap* Lookup(int32_t id) {
    for (Entry& e : entries)
      if (e.id == id) return e.bitmap.get();
    return nullptr;
  }
};

Cache& TheCache() {
  static Cache cache;
  return cache;
}

}  // namespace

PX_IBitmap* ImageCache::Find(int32_t id, const std::function<PX_IBitmap*()>& decode) {
  Cache& cache = TheCache();
  std::lock_guard<std::mutex> g(cache.mutex);
  if (PX_IBitmap* found = cache.Lookup(id)) return found;
  PX_IBitmap* made = decode ? decode() : nullptr;
  if (made) cache.entries.push_back({id, std::unique_ptr<PX_IBitmap>(made)});
  return made;
}

PX_IBitmap* ImageCache::Add(int32_t id, PX_IBitmap* bitmap) {
  Cache& cache = TheCache();
  std::lock_guard<std::mutex> g(cache.mutex);
  if (PX_IBitmap* found = cache.Lookup(id)) {
    if (found != bitmap) delete bitmap;
    return found;
  }
  if (bitmap) cache.entries.push_back({id, std::unique_ptr<PX_IBitmap>(bitmap)});
  return bitmap;
}
