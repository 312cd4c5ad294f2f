// A test host for the instrument: answers the transport queries, owns the
// wall clock, and drives parameters and blocks the way the host binding does.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "instrument/Ondivox.h"

class FakeClock : public WallClock {
 public:
  uint32_t ms = 1000;
  uint32_t Milliseconds() override { return ms; }
};

struct Stereo {
  std::vector<double> left, right;
};

class EngineHost : public CLS_ONDIVOX {
 public:
  double tempo = 120.0;
  int64_t position = 0;
  int32_t transport = kTransportPlaying;
  FakeClock clock;

  EngineHost() { SetWallClock(&clock); }
  ~EngineHost() override { SetWallClock(nullptr); }

  double Tempo() override { return tempo; }
  int64_t SamplePosition() override { return position; }
  int32_t TransportState() override { return transport; }

  // What the binding's initialize does after registering each parameter.
  void Initialize() {
    for (int i = 0; i < ParamCount(); ++i) ParamChanged(i);
  }
  // The processing setup, as the binding's setupProcessing makes it.
  void Setup(double rate, int32_t maxBlock) { Prepare(rate, maxBlock); }
  // Initialised and set up at 48 kHz, as a host leaves it before playing.
  void Start(int32_t maxBlock = 4800) {
    Initialize();
    Setup(48000.0, maxBlock);
  }

  // Host automation with a plain value (normalised on the way, as a host sends it).
  void Set(int index, double plain) { SetParamFromHost(index, Param(index)->PlainToNormalized(plain)); }
  // A value restored exactly (state or preset), then the reaction.
  void SetExact(int index, double plain) {
    Param(index)->value = plain;
    ParamChanged(index);
  }

  // Recalls the factory program of that name, as a host's program change does.
  bool Recall(const char* name) {
    for (int i = 0; i < PresetCount(); ++i)
      if (std::strcmp(PresetName(i), name) == 0) return SelectPreset(i);
    return false;
  }

  // One 64-bit block through the channel binding; the song position moves on
  // while the transport plays. Input is silence unless given.
  Stereo Render(int32_t frames, const Stereo* input = nullptr) {
    Stereo out{std::vector<double>(frames, 0.0), std::vector<double>(frames, 0.0)};
    Stereo silence{std::vector<double>(frames, 0.0), std::vector<double>(frames, 0.0)};
    const Stereo& in = input ? *input : silence;
    double* ins[2] = {const_cast<double*>(in.left.data()), const_cast<double*>(in.right.data())};
    double* outs[2] = {out.left.data(), out.right.data()};
    ProcessBuffers(ins, outs, frames);
    if (transport != kTransportStopped) position += frames;
    return out;
  }
  // One 64-bit stereo block of the caller's buffers through the framework's
  // block path, as the binding's process hands it over (ins null: no input bus).
  void ProcessBuffers(double** ins, double** outs, int32_t frames) {
    HostBus<double> inBus{ins, 2, true}, outBus{outs, 2, true};
    Process(HostBlock<double>{ins ? &inBus : nullptr, nullptr, &outBus, 1, frames});
  }
  // Several blocks of the same size, joined.
  Stereo RenderBlocks(int32_t frames, int blocks) {
    Stereo all;
    for (int b = 0; b < blocks; ++b) {
      Stereo s = Render(frames);
      all.left.insert(all.left.end(), s.left.begin(), s.left.end());
      all.right.insert(all.right.end(), s.right.begin(), s.right.end());
    }
    return all;
  }
};
