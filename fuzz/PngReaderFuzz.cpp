// libFuzzer target: any bytes given to the PNG reader yield a bitmap or none,
// never a crash, a leak or a read outside the input. Built and run by
// scripts/fuzz-png, not by the normal build.
#include <cstddef>
#include <cstdint>

#include "raster/MemBitmap.h"
#include "raster/Png.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  delete PX_ReadPngMemory(data, size, nullptr);
  // Decoding into a caller's bitmap takes the resize path instead.
  PX_MemBitmap target(3, 3, 4);
  PX_IBitmap* into = PX_ReadPngMemory(data, size, &target);
  if (into && (into != &target || target.width() <= 0 || !target.pixels())) __builtin_trap();
  return 0;
}
