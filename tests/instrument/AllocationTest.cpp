// Rendering must never allocate: this program replaces the global operator
// new to count every allocation made while blocks are rendered.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "EngineHost.h"
#include "instrument/Lfo.h"

namespace {
std::atomic<bool> counting{false};
std::atomic<int> allocations{0};

void* Allocate(std::size_t size) {
  if (counting) ++allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (counting) ++allocations;
  return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

constexpr int kFrames = 512;

// Renders blocks as a host does, from the very first one (which resets the
// generator), and answers how many allocations they made.
int AllocationsWhileRendering(EngineHost& h, int blocks, void (*betweenBlocks)(EngineHost&)) {
  std::vector<double> inL(kFrames, 0.1), inR(kFrames, -0.1), outL(kFrames), outR(kFrames);
  double* ins[2] = {inL.data(), inR.data()};
  double* outs[2] = {outL.data(), outR.data()};
  allocations = 0;
  counting = true;
  for (int b = 0; b < blocks; ++b) {
    h.ProcessBuffers(ins, outs, kFrames);
    h.position += kFrames;
    if (betweenBlocks) betweenBlocks(h);
  }
  counting = false;
  return allocations;
}

TEST(Allocation, RenderingAllocatesNothing) {
  struct Case {
    const char* name;
    void (*setup)(EngineHost&);
    void (*betweenBlocks)(EngineHost&);
  };
  const Case cases[] = {
      {"default, playing", [](EngineHost&) {}, nullptr},
      {"golden sine, LFOs on pan and volume",
       [](EngineHost& h) {
         h.Set(kWave, 4);
         h.Set(kLfo1Target, kTargetPan);
         h.Set(kLfo2Target, kTargetVolume);
         h.Set(kLfo2Sync, 0);
       },
       nullptr},
      {"tempo changing every block", [](EngineHost&) {}, [](EngineHost& h) { h.tempo += 1.0; }},
      {"paused between blocks", [](EngineHost&) {}, [](EngineHost& h) { h.clock.ms += 1000; }},
      {"automation between blocks", [](EngineHost&) {},
       [](EngineHost& h) { h.Set(kBaseFreq, 200.0 + h.clock.ms++ % 100); }},
      {"transport stopped", [](EngineHost& h) { h.transport = kTransportStopped; }, nullptr},
  };
  for (const Case& c : cases) {
    EngineHost h;
    h.Start(kFrames);
    c.setup(h);
    EXPECT_EQ(AllocationsWhileRendering(h, 20, c.betweenBlocks), 0) << c.name;
  }
}

// The probe itself: growing a list while rendering is seen.
TEST(Allocation, TheCounterSeesAnAllocation) {
  EngineHost h;
  h.Start(kFrames);
  EXPECT_GT(AllocationsWhileRendering(h, 2, [](EngineHost& e) { e.Param(kWave)->AddValueText(99, "x"); }), 0);
}

}  // namespace
