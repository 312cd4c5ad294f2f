// The process-wide image cache: decoded artwork by resource id.
//
// Shared by every editor instance; entries are only added, never replaced,
// and live until the module unloads.
#pragma once

#include <cstdint>
#include <functional>

class PX_IBitmap;

namespace ImageCache {

// The bitmap cached under id; on a miss, decode() makes it (it may answer
// null, which is not cached) and the result is kept under id.
PX_IBitmap* Find(int32_t id, const std::function<PX_IBitmap*()>& decode);

// Puts a bitmap under id unless one is there; the cache takes ownership
// either way. Answers the bitmap the cache now holds for id.
PX_IBitmap* Add(int32_t id, PX_IBitmap* bitmap);

}  // namespace ImageCache
