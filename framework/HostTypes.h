// Small value types shared between the plug-in base and the host binding.
#pragma once

#include <cstdint>

// The host transport, as the binding reads it from the host each block.
struct HostTimeInfo {
  double tempo = 0.0;          // beats per minute
  double samplePos = 0.0;      // song position in samples
  double ppqPos = 0.0;         // song position in quarter notes
  double lastBarPos = 0.0;     // quarter-note position of the current bar's start
  double cycleStart = 0.0;     // quarter notes
  double cycleEnd = 0.0;       // quarter notes
  int32_t timeSigNumerator = 4;
  int32_t timeSigDenominator = 4;
  bool transportRunning = false;
  bool loopActive = false;
};

struct MidiMessage {
  int32_t sampleOffset = 0;
  uint8_t status = 0;
  uint8_t data1 = 0;
  uint8_t data2 = 0;
};

// One supported (inputs, outputs) channel layout.
struct ChannelPair {
  int32_t inputs = 0;
  int32_t outputs = 0;
};

// Transport states answered by TransportState().
enum TransportStateKind : int32_t { kTransportStopped = 0, kTransportPlaying = 1, kTransportRecording = 2 };
