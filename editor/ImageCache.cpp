#include "editor/ImageCache.h"

#include <memory>
#include <mutex>
#include <vector>

#include "raster/Bitmap.h"
#include "raster/Resample.h"

namespace {

struct Entry {
  int32_t id;
  std::unique_ptr<PX_IBitmap> bitmap;
};

// A resampled copy of an entry's bitmap.
struct ScaledEntry {
  const PX_IBitmap* original;
  int32_t width, height;
  std::unique_ptr<PX_IBitmap> bitmap;
};

struct Cache {
  std::mutex mutex;
  std::vector<Entry> entries;
  std::vector<ScaledEntry> scaled;

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

PX_IBitmap* ImageCache::Scaled(PX_IBitmap* original, int32_t width, int32_t height) {
  if (!original) return nullptr;
  if (original->width() == width && original->height() == height) return original;
  Cache& cache = TheCache();
  std::lock_guard<std::mutex> g(cache.mutex);
  for (ScaledEntry& e : cache.scaled)
    if (e.original == original && e.width == width && e.height == height) return e.bitmap.get();
  PX_IBitmap* made = PX_Resample(original, width, height);
  if (made) cache.scaled.push_back({original, width, height, std::unique_ptr<PX_IBitmap>(made)});
  return made;
}
