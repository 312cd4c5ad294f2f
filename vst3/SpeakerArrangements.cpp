#include "vst3/SpeakerArrangements.h"

using Steinberg::Vst::SpeakerArrangement;

SpeakerArrangement ArrangementForChannels(int channels) {
  switch (channels) {
    case 1: return 0x80000;   // mono (centre)
    case 2: return 3;         // left, right
    case 3: return 259;       // left, right, surround
    case 4: return 0xF00000;  // ambisonic W, X, Y, Z
    case 5: return 55;        // 5.0
    case 6: return 63;        // 5.1
    default: return 0;
  }
}

int ChannelsInArrangement(SpeakerArrangement arrangement) {
  int count = 0;
  for (; arrangement; arrangement &= arrangement - 1) ++count;
  return count;
}
