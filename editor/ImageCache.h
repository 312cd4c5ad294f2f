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

// The cached bitmap resampled to width x height, made on first use (once
// per size) and kept beside the original; null when original is null.
PX_IBitmap* Scaled(PX_IBitmap* original, int32_t width, int32_t height);

// Puts a bitmap under id unless one is there; the cache takes ownership
// either way. Answers the bitmap the cache now holds for id.
PX_IBitmap* Add(int32_t id, PX_IBitmap* bitmap);

}  // namespace ImageCache
